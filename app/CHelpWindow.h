#pragma once

#include <QDialog>
#include <QString>
#include <QUrl>

class QTextBrowser;

// The program's help pages, compiled into the resources under ":/help/<code>"
// with one folder per interface language, shown in a window of their own
// beside the main window. A language without pages of its own falls back to
// the English ones.
class CHelpWindow : public QDialog
{
    Q_OBJECT

public:
    // `languageName` as the settings store keeps it ("English", "Русский").
    explicit CHelpWindow(const QString& languageName, QWidget* parent = nullptr);

    // The contents page of the pages for `languageName`.
    static QUrl ContentsPage(const QString& languageName);

    QSize sizeHint() const override;

    QTextBrowser* Browser() const { return m_pBrowser; }

public slots:
    // Goes back to the contents page.
    void ShowContents();

private:
    QUrl m_contents;
    QTextBrowser* m_pBrowser;
};
