#pragma once

#include <CSaveList.h>

#include <QApplication>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>

// Answers the save prompt of the file list from a timer running inside the
// prompt's own event loop: deselects the given rows and presses the button
// with the given text ("Save selected", "Close without saving", "Cancel").
// Header-only, for tests that link the file list.
class CSavePromptAnswerer : public QObject
{
public:
    explicit CSavePromptAnswerer(const QString& button, const QList<int>& deselect = {})
        : m_sButton(button), m_deselect(deselect)
    {
        connect(&m_timer, &QTimer::timeout, this, &CSavePromptAnswerer::Poll);
        m_timer.start(5);
    }

    // The names each prompt listed, one list per prompt.
    QList<QStringList> shown;
    QString title;

private:
    void Poll()
    {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            auto* prompt = qobject_cast<CSaveList*>(widget);
            if (!prompt || !prompt->isVisible())
                continue;
            title = prompt->windowTitle();
            auto* names = prompt->findChild<QListWidget*>(QStringLiteral("names"));
            QStringList listed;
            for (int row = 0; row < names->count(); ++row) {
                QVERIFY2(names->item(row)->isSelected(), "every name starts selected");
                listed << names->item(row)->text();
            }
            shown << listed;
            for (int row : m_deselect) {
                const QRect rect = names->visualItemRect(names->item(row));
                QTest::mouseClick(names->viewport(), Qt::LeftButton, Qt::NoModifier, rect.center());
            }
            for (QPushButton* button : prompt->findChildren<QPushButton*>()) {
                if (button->text().remove(QLatin1Char('&')) == m_sButton) {
                    button->click();
                    return;
                }
            }
            prompt->reject();
        }
    }

    QString m_sButton;
    QList<int> m_deselect;
    QTimer m_timer;
};
