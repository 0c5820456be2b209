#include "CWindowConveniences.h"

#include "MainWindow.h"

#include <CEventList.h>
#include <CFileList.h>
#include <CGraphPix.h>
#include <CGraphView.h>
#include <tGraphState.h>

#include <QAction>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMenu>
#include <QMimeData>
#include <QSettings>
#include <QUrl>

#include <algorithm>

namespace {

const QString kRecentKey = QStringLiteral("RecentFolders");
const QString kLegendKey = QStringLiteral("CompareLegend");

QStringList LocalPaths(const QMimeData* data)
{
    QStringList paths;
    if (!data || !data->hasUrls())
        return paths;
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile())
            paths.append(url.toLocalFile());
    }
    return paths;
}

bool IsTraceOrFolder(const QString& path)
{
    const QFileInfo info(path);
    return info.isDir() || (info.isFile() && info.suffix().compare(QStringLiteral("sor"), Qt::CaseInsensitive) == 0);
}

} // namespace

CWindowConveniences::CWindowConveniences(MainWindow* window, QMenu* fileMenu, QMenu* viewMenu)
    : QObject(window), m_pWindow(window)
{
    tGraphState& geometry = window->FileList()->GraphState();
    CEventList* events = window->Events();
    connect(events, &QTableWidget::currentCellChanged, this, [this](int row, int, int previousRow, int) {
        if (row != previousRow)
            ShowSelectedEvent(row, true);
    });
    // A rebuilt table (another file) starts without a highlighted event.
    connect(window->FileList(), &CFileList::sigFileChanged, this,
        [this, events] { ShowSelectedEvent(events->currentRow(), false); });

    QSettings settings;
    geometry.legend = settings.value(kLegendKey, true).toBool();
    m_pLegend = new QAction(tr("Compare &legend"), this);
    m_pLegend->setObjectName(QStringLiteral("actionCompareLegend"));
    m_pLegend->setStatusTip(tr("Show the colour, file name and wavelength of each compared trace"));
    m_pLegend->setCheckable(true);
    m_pLegend->setChecked(geometry.legend);
    connect(m_pLegend, &QAction::toggled, this, [this, window](bool shown) {
        window->FileList()->GraphState().legend = shown;
        QSettings().setValue(kLegendKey, shown);
        window->View()->Pix()->update();
    });
    if (viewMenu) {
        viewMenu->addSeparator();
        viewMenu->addAction(m_pLegend);
    }

    m_pRecent = new QMenu(tr("Recent &folders"), window);
    m_pRecent->setObjectName(QStringLiteral("recentFoldersMenu"));
    connect(m_pRecent, &QMenu::aboutToShow, this, &CWindowConveniences::FillRecentMenu);
    if (fileMenu) {
        // Just after "Change folder".
        const QList<QAction*> actions = fileMenu->actions();
        fileMenu->insertMenu(actions.size() > 1 ? actions[1] : nullptr, m_pRecent);
    }
    FillRecentMenu();
    // Each listing of a folder makes it the latest recent folder.
    connect(window->FileList(), &CFileList::sigEnabled, this, &CWindowConveniences::RememberFolder);

    window->setAcceptDrops(true);
    window->installEventFilter(this);
}

QStringList CWindowConveniences::RecentFolders()
{
    return QSettings().value(kRecentKey).toStringList().mid(0, kRecentCount);
}

void CWindowConveniences::RememberFolder()
{
    const QString folder = QDir::currentPath();
    QStringList recent = RecentFolders();
    if (!recent.isEmpty() && recent.front() == folder)
        return;
    recent.removeAll(folder);
    recent.prepend(folder);
    QSettings().setValue(kRecentKey, recent.mid(0, kRecentCount));
    FillRecentMenu();
}

void CWindowConveniences::FillRecentMenu()
{
    m_pRecent->clear();
    const QStringList recent = RecentFolders();
    for (int i = 0; i < recent.size(); ++i) {
        const QString folder = recent[i];
        QAction* action = m_pRecent->addAction(
            QStringLiteral("&%1 %2").arg(i + 1).arg(QDir::toNativeSeparators(folder).replace('&', "&&")));
        connect(action, &QAction::triggered, this, [this, folder] { OpenPaths({ folder }); });
    }
    m_pRecent->setEnabled(!recent.isEmpty());
}

bool CWindowConveniences::OpenPaths(const QStringList& paths)
{
    QStringList files;
    QString folder;
    for (const QString& path : paths) {
        const QFileInfo info(path);
        if (info.isDir()) {
            folder = info.canonicalFilePath();
            files.clear();
            break;
        }
        if (IsTraceOrFolder(path)) {
            if (folder.isEmpty())
                folder = info.canonicalPath();
            // Files of one folder only: the list shows one folder.
            if (info.canonicalPath() == folder)
                files.append(info.canonicalFilePath());
        }
    }
    if (folder.isEmpty())
        return false;
    CFileList* list = m_pWindow->FileList();
    // Unsaved changes are asked about first, as for File > Change folder.
    if (!list->CloseAll(QStringList()) || !QDir::setCurrent(folder))
        return false;
    list->SetDir(folder);
    for (int row = 0; row < list->GetCount() && !files.isEmpty(); ++row) {
        const QSharedPointer<sor::CFile> file = list->GetFile(row);
        if (file && QFileInfo(file->Path()).canonicalFilePath() == files.front()) {
            list->setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
            list->scrollToItem(list->currentItem());
            break;
        }
    }
    RememberFolder();
    return true;
}

bool CWindowConveniences::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_pWindow && (event->type() == QEvent::DragEnter || event->type() == QEvent::DragMove)) {
        auto* drag = static_cast<QDragMoveEvent*>(event);
        const QStringList paths = LocalPaths(drag->mimeData());
        if (std::any_of(paths.begin(), paths.end(), IsTraceOrFolder)) {
            drag->acceptProposedAction();
            return true;
        }
    } else if (watched == m_pWindow && event->type() == QEvent::Drop) {
        auto* drop = static_cast<QDropEvent*>(event);
        if (OpenPaths(LocalPaths(drop->mimeData()))) {
            drop->acceptProposedAction();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

void CWindowConveniences::ShowSelectedEvent(int row, bool reveal)
{
    CFileList* list = m_pWindow->FileList();
    tGraphState& geometry = list->GraphState();
    const QSharedPointer<sor::CFile> file = geometry.Active();
    const int count = file ? int(file->KeyEvents().size()) : 0;
    geometry.selectedEvent = row >= 0 && row < count ? row : -1;
    if (reveal && geometry.selectedEvent >= 0)
        geometry.RevealDistance(file->TimeToDistance(file->KeyEvents()[size_t(row)].time));
    m_pWindow->View()->UpdateScrolls();
    m_pWindow->View()->Pix()->update();
}
