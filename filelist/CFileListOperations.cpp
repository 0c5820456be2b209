// The file operations of the list: saving, closing, copying, adding,
// renaming, deleting to the trash and changing the working folder.
#include "CFileList.h"

#include "CDocumentHistory.h"
#include "FileListSupport.h"

#include "CFileDialogs.h"
#include "CFileListWatcher.h"
#include "CFileListElementDelegate.h"
#include "CSaveList.h"
#include "CTrash.h"
#include "ComparePalette.h"
#include "IARMessageBox.h"

#include <Exception.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMessageBox>
#include <QSaveFile>
#include <QScrollBar>
#include <QSet>
#include <QStyle>
#include <QUndoGroup>
#include <QUndoStack>

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

using namespace filelist;
bool CFileList::SaveRow(int row, tErrorState* state)
{
    // Whether a row is current does not matter: a row about to close must be
    // saved all the same.
    const QSharedPointer<sor::CFile> file = GetFile(row);
    if (row < 0 || !file || !file->IsModified())
        return true;
    const QString name = FileName(file->Path());
    for (;;) {
        const std::optional<tFailure> failure = Attempt([&] { file->Save(); });
        if (!failure) {
            m_pWatcher->WatchFile(file->Path());
            return true;
        }
        bool retry = false;
        if (!AskAfter(this, *failure, tr("Cannot save \"%1\"").arg(name),
                tr("Error saving \"%1\"").arg(name), state, retry))
            return false;
        if (!retry)
            return true;
    }
}

void CFileList::OnSaveFile()
{
    SaveRow(currentRow(), nullptr);
}

void CFileList::OnSaveAll()
{
    tErrorState state;
    for (int row = 0; row < count(); ++row) {
        if (!SaveRow(row, &state))
            break;
    }
}

bool CFileList::CloseAll(const QStringList& paths)
{
    if (count() == 0)
        return true;
    const auto inScope = [&paths](const QSharedPointer<sor::CFile>& file) {
        return file && (paths.isEmpty() || paths.contains(file->Path()));
    };

    QStringList names;
    QList<QSharedPointer<sor::CFile>> modified;
    for (int row = 0; row < count(); ++row) {
        const QSharedPointer<sor::CFile> file = GetFile(row);
        if (inScope(file) && file->IsModified()) {
            names << FileName(file->Path());
            modified << file;
        }
    }

    QList<int> toSave;
    if (!names.isEmpty()) {
        CSaveList dialog(names, this);
        if (dialog.exec() != QDialog::Accepted)
            return false;
        // The choice is followed by position, not by name: two listed files
        // of one name (from different folders) are saved or left each as the
        // user chose.
        toSave = dialog.SelectedRows();
        tErrorState state;
        for (int index : toSave) {
            const int row = RowOf(modified.value(index));
            if (row >= 0 && !SaveRow(row, &state))
                return false;
        }
    }

    // Only the user's choice not to save discards changes: a file whose save
    // failed and was ignored stays listed with them, and the close does not
    // happen.
    QStringList kept;
    for (int row = count() - 1; row >= 0; --row) {
        const QSharedPointer<sor::CFile> file = GetFile(row);
        if (!inScope(file))
            continue;
        if (file->IsModified() && toSave.contains(int(modified.indexOf(file))))
            kept.prepend(FileName(file->Path()));
        else
            CloseRow(row, false, nullptr);
    }
    // Rows of unreadable files have nothing to save.
    if (paths.isEmpty())
        RemoveUnreadable();
    UpdateState();
    if (!kept.isEmpty()) {
        ShowBox(this, QMessageBox::Warning, tr("Closing files"),
            tr("These files could not be saved and stay open with their changes:\n%1").arg(kept.join(QLatin1Char('\n'))));
        return false;
    }
    return true;
}

bool CFileList::CopyFile(const QSharedPointer<sor::CFile>& file, const QString& target)
{
    if (!file)
        return false;
    const QString name = FileName(file->Path());
    if (SameFile(target, file->Path())) {
        ShowBox(
            this, QMessageBox::Information, tr("Copying file %1  issue").arg(name), tr("Cannot copy a file to itself"));
        return false;
    }
    for (;;) {
        const std::optional<tFailure> failure = Attempt([&] { file->SaveCopy(target); });
        if (!failure)
            return true;
        bool retry = false;
        AskAfter(this, *failure, tr("Cannot copy \"%1\"").arg(name), tr("Error copying \"%1\"").arg(name),
            nullptr, retry);
        if (!retry)
            return false;
    }
}

void CFileList::ListWritten(const QString& path)
{
    const QString canonical = QFileInfo(path).canonicalFilePath();
    const QString listedPath = canonical.isEmpty() ? path : canonical;
    for (int row = 0; row < count(); ++row) {
        if (const QSharedPointer<sor::CFile> listed = GetFile(row); listed && listed->Path() == listedPath) {
            RemoveRow(row);
            break;
        }
    }
    AddFile(listedPath, nullptr);
}

void CFileList::OnCopySelectedFiles()
{
    if (count() == 0)
        return;
    const QList<QListWidgetItem*> selected = selectedItems();
    if (selected.isEmpty())
        return;
    const CFileListWatcher::tOwnChanges own(m_pWatcher);
    const QString workingFolder = QDir::current().canonicalPath();

    if (selected.size() == 1) {
        const QSharedPointer<tListedFile> listed = ListedFile(selected.front());
        if (!listed || !listed->file)
            return;
        const QSharedPointer<sor::CFile> file = listed->file;
        const QString chosen = m_pDialogs->SaveFileName(
            this, tr("Copy file \"%1\" to").arg(FileName(file->Path())), file->Path(), m_sFileFilter);
        if (chosen.isEmpty())
            return;
        const QFileInfo info(chosen);
        const QString folder = CanonicalFolder(info.absolutePath());
        const QString target = folder + QLatin1Char('/') + info.fileName();
        if (ReleaseForCopy(file, target) && CopyFile(file, target) && folder == workingFolder)
            ListWritten(target);
        UpdateState();
        return;
    }

    const QString chosen = m_pDialogs->ExistingDirectory(this, tr("Select dir to copy"), QDir::currentPath());
    if (chosen.isEmpty())
        return;
    const QString folder = CanonicalFolder(chosen);
    // The documents are taken first: listing a copy changes the rows.
    QList<QSharedPointer<sor::CFile>> files;
    for (const QListWidgetItem* selectedItem : selected) {
        if (const QSharedPointer<tListedFile> listed = ListedFile(selectedItem); listed && listed->file)
            files << listed->file;
    }
    for (const QSharedPointer<sor::CFile>& file : files) {
        const QString target = folder + QLatin1Char('/') + FileName(file->Path());
        if (ReleaseForCopy(file, target) && CopyFile(file, target) && folder == workingFolder)
            ListWritten(target);
    }
    UpdateState();
}

void CFileList::OnAddFile()
{
    const QString chosen = m_pDialogs->OpenFileName(this, tr("Add copy from"), QDir::currentPath(), m_sFileFilter);
    if (chosen.isEmpty())
        return;
    const CFileListWatcher::tOwnChanges own(m_pWatcher);
    const QFileInfo source(chosen);
    const QString name = source.fileName();
    for (int row = 0; row < count(); ++row) {
        if (const QSharedPointer<sor::CFile> listed = GetFile(row); listed && FileName(listed->Path()) == name) {
            ShowBox(this, QMessageBox::Information, tr("Adding file %1 issue").arg(name),
                tr("File \"%1\" already exists.").arg(name));
            return;
        }
    }

    const QString sourcePath
        = source.canonicalFilePath().isEmpty() ? source.absoluteFilePath() : source.canonicalFilePath();
    const QString target = QDir::current().canonicalPath() + QLatin1Char('/') + name;
    for (;;) {
        // A file of that name is never overwritten; the copy reaches its
        // place only when it is complete.
        bool copied = false;
        if (!QFileInfo::exists(target)) {
            QFile in(sourcePath);
            if (in.open(QIODevice::ReadOnly)) {
                const QByteArray bytes = in.readAll();
                copied = in.error() == QFileDevice::NoError && WriteWhole(target, bytes);
            }
        }
        if (copied)
            break;
        bool retry = false;
        IARMessageBox::Exec(this, QMessageBox::Warning, tr("Cannot add \"%1\"").arg(name),
            tr("The file %1 could not be copied to %2.").arg(Native(sourcePath), Native(target)), retry,
            nullptr, false);
        if (!retry)
            return;
    }
    AddFile(QFileInfo(target).canonicalFilePath(), nullptr);
    UpdateState();
}

void CFileList::OnRenameFile()
{
    if (count() == 0 || !currentItem())
        return;
    scrollToItem(currentItem());
    editItem(currentItem());
}

bool CFileList::Rename(const QSharedPointer<sor::CFile>& file, const QString& baseName)
{
    if (!file)
        return false;
    const QFileInfo current(file->Path());
    const QString title = tr("Rename file \"%1\"").arg(current.fileName());
    if (baseName == current.completeBaseName())
        return false;
    for (const QChar symbol : baseName) {
        if (kForbiddenSymbols.contains(symbol)) {
            ShowBox(this, QMessageBox::Warning, title, tr("A file name cannot contain any of these characters: %1").arg(kForbiddenSymbols));
            return false;
        }
    }
    if (baseName.trimmed().isEmpty())
        return false;

    const QString suffix = current.suffix();
    const QString newName = suffix.isEmpty() ? baseName : baseName + QLatin1Char('.') + suffix;
    const QString oldPath = file->Path();
    const QString newPath = CanonicalFolder(current.absolutePath()) + QLatin1Char('/') + newName;
    if (QFileInfo::exists(newPath) || QFileInfo(newPath).isSymLink()) {
        ShowBox(this, QMessageBox::Warning, title, tr("File \"%1\" already exists.").arg(newName));
        return false;
    }

    if (const std::optional<tFailure> failure = Attempt([&] { file->Rename(newPath); })) {
        ShowBox(this, QMessageBox::Warning,
            failure->bAccess ? tr("Cannot rename \"%1\"").arg(current.fileName())
                             : tr("Error renaming \"%1\"").arg(current.fileName()),
            failure->sMessage);
        return false;
    }
    m_pWatcher->UnwatchFile(oldPath);
    m_pWatcher->WatchFile(newPath);
    if (QListWidgetItem* const renamed = item(RowOf(file))) {
        renamed->setText(newName);
        MoveToSortedPlace(renamed);
    }
    setFocus();
    return true;
}

void CFileList::OnDeleteSelectedFiles()
{
    const QList<QListWidgetItem*> selected = selectedItems();
    if (selected.isEmpty())
        return;

    QList<QSharedPointer<sor::CFile>> files;
    for (const QListWidgetItem* selectedItem : selected) {
        if (const QSharedPointer<tListedFile> listed = ListedFile(selectedItem); listed && listed->file)
            files << listed->file;
    }
    if (files.isEmpty())
        return;

    if (!m_needAckFileDeletion || m_needAckFileDeletion()) {
        QString title;
        QString text;
        if (files.size() == 1) {
            title = tr("Delete file \"%1\"").arg(FileName(files.front()->Path()));
            text = tr("This operation will delete file \"%1\" to Windows trash.\nAre you sure?")
                       .arg(Native(files.front()->Path()));
        } else {
            title = tr("Delete files");
            text
                = tr("This operation will delete %1 selected files to Windows trash.\nAre you sure?").arg(files.size());
        }
        QMessageBox box(QMessageBox::Question, title, text, QMessageBox::Yes | QMessageBox::No, this);
        if (box.exec() != QMessageBox::Yes)
            return;
    }

    // Rows are found again for every file: each deletion moves the rows below.
    tErrorState state;
    tErrorState* const shared = files.size() > 1 ? &state : nullptr;
    for (auto file = files.crbegin(); file != files.crend(); ++file) {
        const int row = RowOf(*file);
        if (row >= 0 && !DeleteRow(row, shared))
            break;
    }
}

bool CFileList::DeleteRow(int row, tErrorState* state)
{
    const QSharedPointer<sor::CFile> file = GetFile(row);
    if (!file)
        return true;
    const QString path = file->Path();
    // A file that is already gone only leaves its row. Otherwise the file goes
    // to the trash first, and only then its row: where there is no trash, the
    // file, its row and its unsaved changes all stay.
    while (QFileInfo::exists(path) || QFileInfo(path).isSymLink()) {
        if (CTrash::MoveToTrash(path))
            break;
        bool retry = false;
        const bool goOn
            = IARMessageBox::Exec(this, QMessageBox::Warning, tr("Cannot delete \"%1\"").arg(FileName(path)),
                tr("File \"%1\" cannot be moved to the trash, so it was not deleted.").arg(Native(path)), retry,
                state ? &state->bIgnoreProblems : nullptr, false);
        if (!retry)
            return goOn;
    }
    CloseRow(RowOf(file), false, nullptr);
    UpdateState();
    return true;
}

void CFileList::OnOpenDir()
{
    if (SelectDir(tr("Change folder")))
        SetDir(QDir::currentPath());
}

bool CFileList::SelectDir(const QString& caption)
{
    const QString chosen = m_pDialogs->ExistingDirectory(this, caption, QDir::currentPath());
    if (chosen.isEmpty())
        return false;
    if (!CloseAll(QStringList()))
        return false;
    for (;;) {
        if (QDir::setCurrent(chosen))
            return true;
        bool retry = false;
        IARMessageBox::Exec(this, QMessageBox::Warning, tr("Cannot open the folder"),
            tr("Cannot select directory \"%1\"").arg(Native(chosen)), retry, nullptr, false);
        if (!retry) {
            // The rows are closed already: the folder that stays current is
            // listed again, so that the list shows what the folder holds.
            Rescan();
            return false;
        }
    }
}

void CFileList::SetCurrentRowWithin(int row)
{
    if (count() == 0)
        return;
    // The new current row is the one highlighted row: a plain setCurrentRow
    // adds it to the selection, so that a row added or downloaded would stay
    // highlighted beside the one current before.
    setCurrentRow(std::clamp(row, 0, count() - 1), QItemSelectionModel::ClearAndSelect);
    scrollToItem(currentItem());
}
