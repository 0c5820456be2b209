#include "CTraceWindow.h"

#include "CMainOpt.h"

#include <CFile.h>
#include <CGraphView.h>
#include <Exception.h>

#include <QDir>
#include <QFileInfo>
#include <QVBoxLayout>

CTraceWindow::CTraceWindow(const QString& folder, QWidget* parent)
    : QWidget(parent), m_pOptions(new CMainOpt(this)), m_pGeometry(std::make_unique<tGraphState>())
{
    setWindowTitle(tr("Lumetrix"));
    if (m_pOptions->cBackground.isValid())
        m_pGeometry->background = m_pOptions->cBackground;

    OpenFolder(folder.isEmpty() ? m_pOptions->sLastDir : folder);
    m_pGeometry->SetFiles(&m_files);

    m_pView = new CGraphView(m_pGeometry.get(), this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_pView);
    resize(800, 500);
}

CTraceWindow::~CTraceWindow()
{
    // The view works on the geometry, which as a member goes before the
    // children do.
    delete m_pView;
    m_pGeometry->SetFiles(nullptr);
}

QSharedPointer<sor::CFile> CTraceWindow::Trace() const
{
    return m_files.empty() ? QSharedPointer<sor::CFile>() : m_files.back()->file;
}

void CTraceWindow::OpenFolder(const QString& folder)
{
    if (folder.isEmpty())
        return;
    if (!QFileInfo(folder).isDir() || !QDir::setCurrent(folder)) {
        qWarning("Can not open the folder %s", qUtf8Printable(QDir::toNativeSeparators(folder)));
        return;
    }
    // The options store the current folder as the last working folder at
    // the end, as the file list has it.
    m_sFolder = QDir::currentPath();

    const QDir dir(m_sFolder);
    for (const QString& name : dir.entryList({QStringLiteral("*.sor")}, QDir::Files, QDir::Name)) {
        const QString path = dir.filePath(name);
        try {
            quint32 warnings = 0;
            auto file = QSharedPointer<sor::CFile>::create(path, warnings);
            m_files.push_back(QSharedPointer<tListedFile>::create(file));
            return;
        } catch (const Exception& error) {
            qWarning("%s: %s", qUtf8Printable(QDir::toNativeSeparators(path)),
                     qUtf8Printable(error.FullText(QString())));
        }
    }
}
