#pragma once

#include "SorBuilder.h"
#include "tScriptedDialogs.h"

#include <CFileList.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

// The whole content of a file; empty when it cannot be read.
inline QByteArray ReadFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline void WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

// A temporary working folder and a shown window holding a file list, which
// asks its file and folder questions of scripted dialogs. The files named at
// construction are written as standard traces and listed. Header-only, for
// tests that link the file list.
class tListFolder
{
public:
    explicit tListFolder(const QStringList& names = {}) : list(new CFileList(&window))
    {
        window.resize(300, 600);
        list->resize(250, 600);
        list->SetFileDialogs(&dialogs);
        window.show();
        for (const QString& name : names)
            Write(name, SorBuilder::StandardFile());
        if (!names.isEmpty())
            list->SetDir(dir.path());
    }

    QString Path(const QString& name) const { return QDir(dir.path()).canonicalPath() + QLatin1Char('/') + name; }
    void Write(const QString& name, const QByteArray& bytes) const { WriteFile(Path(name), bytes); }
    QStringList OnDisk() const { return QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot); }
    QStringList Names() const
    {
        QStringList names;
        for (int row = 0; row < list->count(); ++row)
            names << QFileInfo(list->GetFile(row)->Path()).fileName();
        return names;
    }
    QSharedPointer<sor::CFile> File(const QString& name) const
    {
        const int row = int(Names().indexOf(name));
        return row < 0 ? QSharedPointer<sor::CFile>() : list->GetFile(row);
    }
    // Changes the trace in memory, so that its saved image differs from the disk.
    QSharedPointer<sor::CFile> Change(const QString& name) const
    {
        const QSharedPointer<sor::CFile> file = File(name);
        file->GeneralParameters().cableId = QStringLiteral("changed ") + name;
        file->SetModified(true);
        return file;
    }
    void Select(const QList<int>& rows) const
    {
        list->clearSelection();
        list->setCurrentRow(rows.front(), QItemSelectionModel::ClearAndSelect);
        for (int row : rows)
            list->item(row)->setSelected(true);
    }
    QSharedPointer<tListedFile> Listed(int row) const { return CFileList::ListedFile(list->item(row)); }
    // The rows of the compare set, in its order.
    QList<int> CompareRows() const
    {
        QList<int> rows;
        for (const QSharedPointer<tListedFile>& member : list->CompareSet()) {
            for (int row = 0; row < list->count(); ++row) {
                if (Listed(row) == member)
                    rows << row;
            }
        }
        return rows;
    }
    // Space on a row adds it to the compare set or takes it out.
    void Toggle(int row) const
    {
        list->setCurrentRow(row);
        QTest::keyClick(list, Qt::Key_Space);
    }

    QTemporaryDir dir;
    QWidget window;
    tScriptedDialogs dialogs;
    CFileList* list;
};
