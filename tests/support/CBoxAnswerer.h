#pragma once

#include <QList>
#include <QMessageBox>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QTimer>

// Answers the modal message boxes that the code under test opens: it looks for
// a visible box among the top-level windows from a timer running inside the
// box's own event loop, notes what the box shows and presses the next answer.
// An answer names a button ("Retry", "Ignore all", ...) or is "Escape" for the
// key; once the answers run out, every further box gets Escape.
class CBoxAnswerer : public QObject
{
public:
    struct tSeen
    {
        QString title;
        QString text;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        // Button names in the order the box holds them.
        QStringList buttons;
        QString defaultButton;
        QString escapeButton;
        Qt::WindowFlags flags;
        QWidget* parent = nullptr;
        // Class names of the other windows on screen while the box was open.
        QStringList otherWindows;
    };

    explicit CBoxAnswerer(const QStringList& answers = {});

    // Every box answered so far, in order.
    const QList<tSeen>& Seen() const { return m_seen; }
    int Count() const { return int(m_seen.size()); }

    static QString ButtonName(const QMessageBox* box, const QAbstractButton* button);

private:
    void Poll();

    QStringList m_answers;
    QList<tSeen> m_seen;
    QPointer<QMessageBox> m_pLast;
    QTimer m_timer;
};
