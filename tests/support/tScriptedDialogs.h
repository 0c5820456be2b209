#pragma once

#include <IFileDialogs.h>

#include <QList>
#include <QStringList>

// Stands in for the file and folder dialogs: hands out the prepared answers
// in order (empty, as a cancelled dialog, once they run out) and notes what
// each dialog was asked. Header-only, for tests that link the file list.
class tScriptedDialogs : public IFileDialogs
{
public:
    struct tAsked
    {
        QString kind;
        QString caption;
        QString start;
    };

    QString SaveFileName(QWidget*, const QString& caption, const QString& start, const QString&) override
    {
        return Next("save", caption, start);
    }
    QString OpenFileName(QWidget*, const QString& caption, const QString& start, const QString&) override
    {
        return Next("open", caption, start);
    }
    QString ExistingDirectory(QWidget*, const QString& caption, const QString& start) override
    {
        return Next("folder", caption, start);
    }

    QStringList answers;
    QList<tAsked> asked;

private:
    QString Next(const QString& kind, const QString& caption, const QString& start)
    {
        asked << tAsked { kind, caption, start };
        return answers.isEmpty() ? QString() : answers.takeFirst();
    }
};
