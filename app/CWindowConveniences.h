#pragma once

#include <QObject>
#include <QStringList>

class MainWindow;
class QAction;
class QMenu;

// What the main window offers beyond its menus of long standing: the event
// table's selection shown on the plot, the compare legend switch, traces or a
// folder dropped onto the window, and the File menu's recent folders.
class CWindowConveniences : public QObject
{
    Q_OBJECT

public:
    // Sets itself up on `window` (its parent); `fileMenu` and `viewMenu` get
    // their new entries at the end.
    CWindowConveniences(MainWindow* window, QMenu* fileMenu, QMenu* viewMenu);

    // The recent folders, the latest first, as kept in the settings store.
    static QStringList RecentFolders();
    // At most this many are kept.
    static constexpr int kRecentCount = 8;
    // Opens dropped or chosen paths: a folder, or trace files of one folder
    // with the first one current. Returns whether a folder was opened.
    bool OpenPaths(const QStringList& paths);

    QAction* LegendAction() const { return m_pLegend; }
    QMenu* RecentMenu() const { return m_pRecent; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The table's current row became `row`: highlighted on the plot and,
    // with `reveal`, scrolled into view.
    void ShowSelectedEvent(int row, bool reveal);
    // Puts the working folder on top of the recent folders.
    void RememberFolder();
    void FillRecentMenu();

    MainWindow* m_pWindow;
    QAction* m_pLegend = nullptr;
    QMenu* m_pRecent = nullptr;
};
