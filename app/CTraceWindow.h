#pragma once

#include <tGraphState.h>

#include <QSharedPointer>
#include <QString>
#include <QWidget>

#include <memory>

class CGraphView;
class CMainOpt;

namespace sor {
class CFile;
}

// The program's window until the main window with its file list exists: the
// plot of the first trace of the working folder that loads. Like the main
// window it owns the options object, makes the working folder current and
// opens the last working folder when none is given.
class CTraceWindow : public QWidget
{
    Q_OBJECT

public:
    // `folder`: the working folder to open; empty opens the stored last one,
    // and when that is empty too, or not a folder, the plot stays empty.
    explicit CTraceWindow(const QString& folder, QWidget* parent = nullptr);
    ~CTraceWindow() override;

    // The working folder opened, or empty.
    const QString& Folder() const { return m_sFolder; }
    // The trace shown, or null.
    QSharedPointer<sor::CFile> Trace() const;
    CGraphView* View() const { return m_pView; }

private:
    void OpenFolder(const QString& folder);

    // Owned through the parent tree.
    CMainOpt* m_pOptions;
    QString m_sFolder;
    tFileSet m_files;
    std::unique_ptr<tGraphState> m_pGeometry;
    CGraphView* m_pView = nullptr;
};
