#include "CTraceWindow.h"

#include "CFileList.h"

#include <QScrollBar>

#include <algorithm>

namespace {

constexpr int kRegularMs = 3000;

} // namespace

int CTraceWindow::s_nKeepAllRows = 200;

CTraceWindow::CTraceWindow(CFileList* list) : QObject(list), m_pList(list)
{
    m_soon.setSingleShot(true);
    m_soon.setInterval(0);
    connect(&m_soon, &QTimer::timeout, this, &CTraceWindow::Sweep);
    m_regular.setInterval(kRegularMs);
    connect(&m_regular, &QTimer::timeout, this, &CTraceWindow::Sweep);
    m_regular.start();
    connect(list->verticalScrollBar(), &QScrollBar::valueChanged, this, &CTraceWindow::Schedule);
    connect(list, &QListWidget::currentItemChanged, this, &CTraceWindow::Schedule);
}

void CTraceWindow::Schedule()
{
    m_soon.start();
}

int CTraceWindow::Sweep()
{
    const int count = m_pList->count();
    if (count == 0 || KeepsAll(count))
        return 0;
    // The rows in view: from the one at the top of the viewport to the one at
    // its bottom (the last row where the list ends above it).
    const QRect viewport = m_pList->viewport()->rect();
    const QModelIndex top = m_pList->indexAt(viewport.topLeft());
    const QModelIndex bottom = m_pList->indexAt(QPoint(viewport.left(), viewport.bottom()));
    const int firstShown = top.isValid() ? top.row() : count;
    const int lastShown = bottom.isValid() ? bottom.row() : count - 1;
    const int current = m_pList->currentRow();

    int released = 0;
    for (int row = 0; row < count; ++row) {
        if (row == current || (row >= firstShown && row <= lastShown))
            continue;
        const QSharedPointer<tListedFile> listed = CFileList::ListedFile(m_pList->item(row));
        if (!listed || !listed->file || listed->file->IsTraceReleased() || listed->file->IsModified())
            continue;
        const auto& compared = m_pList->CompareSet();
        if (std::find(compared.begin(), compared.end(), listed) != compared.end())
            continue;
        released += listed->file->ReleaseTrace() ? 1 : 0;
    }
    return released;
}
