// The file list's rows of unreadable files and the state texts of its rows.

#include "CFileList.h"

#include "CFileListElementDelegate.h"

#include <CFileStream.h>

#include <QFileInfo>

namespace {

// Item data of a row whose file could not be read.
constexpr int kUnreadablePathRole = Qt::UserRole + 1;
constexpr int kUnreadableReasonRole = Qt::UserRole + 2;

} // namespace

QString CFileList::StateText(const sor::CFile& file)
{
    const quint32 warnings = file.LoadWarnings();
    QStringList lines;
    if (warnings & bc::WarningChecksumWrong)
        lines << tr("The checksum matches none of the conventions instruments use; the trace loaded whole.");
    if (warnings & bc::WarningChecksumMissing)
        lines << tr("The file has no checksum; the trace loaded whole.");
    if (warnings & bc::WarningCodepageMissing)
        lines << tr("The code page of the file is missing on this system; its texts are read as %1.")
                     .arg(QString::fromLatin1(file.CodecName()));
    if (warnings & sor::CFile::WarningTraceGone)
        lines << tr("The file changed or went away on disk while its trace was not in memory: reload it to see "
                    "the trace.");
    return lines.join(QLatin1Char('\n'));
}

QString CFileList::StateText(int row) const
{
    const QString reason = UnreadableReason(row);
    if (!reason.isEmpty())
        return tr("\"%1\" cannot be read: %2").arg(QFileInfo(RowPath(row)).fileName(), reason);
    const QSharedPointer<sor::CFile> file = GetFile(row);
    return file ? StateText(*file) : QString();
}

QString CFileList::UnreadableReason(int row) const
{
    const QListWidgetItem* const rowItem = item(row);
    return rowItem ? rowItem->data(kUnreadableReasonRole).toString() : QString();
}

QString CFileList::RowPath(int row) const
{
    if (const QSharedPointer<sor::CFile> file = GetFile(row))
        return file->Path();
    const QListWidgetItem* const rowItem = item(row);
    return rowItem ? rowItem->data(kUnreadablePathRole).toString() : QString();
}

void CFileList::AddUnreadable(const QString& path, const QString& reason)
{
    for (int row = 0; row < count(); ++row) {
        if (RowPath(row) == path)
            return;
    }
    auto* const rowItem = new QListWidgetItem(QFileInfo(path).fileName());
    rowItem->setData(kUnreadablePathRole, path);
    // The reason on one line: the message's lines, without the blank ones.
    rowItem->setData(kUnreadableReasonRole, reason.split(QLatin1Char('\n'), Qt::SkipEmptyParts).join(QStringLiteral("; ")));
    InsertSorted(rowItem);
}

void CFileList::RemoveUnreadable()
{
    for (int row = count() - 1; row >= 0; --row) {
        if (!UnreadableReason(row).isEmpty())
            RemoveRow(row);
    }
}

void CFileList::InsertSorted(QListWidgetItem* rowItem)
{
    rowItem->setSizeHint(m_pDelegate->sizeHint(QStyleOptionViewItem(), QModelIndex()));
    // The new row does not become current, except in a list without a current
    // row; in its place by name, as the folder is listed.
    const int remembered = currentRow();
    insertItem(SortedPosition(rowItem), rowItem);
    if (remembered < 0)
        SetCurrentRowWithin(0);
    else if (!m_bListing)
        scrollToItem(currentItem());
}
