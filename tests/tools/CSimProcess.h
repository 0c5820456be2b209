#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

// One otdr-sim run for a test: started with its options, it tells the port to
// open, collects its log, and is killed at the latest when this object goes.
class CSimProcess
{
public:
    CSimProcess() = default;
    ~CSimProcess() { Stop(); }
    CSimProcess(const CSimProcess&) = delete;
    CSimProcess& operator=(const CSimProcess&) = delete;

    // Starts the simulator from LUMETRIX_BIN_DIR and waits for its port.
    bool Start(const QStringList& arguments);
    const QString& Port() const { return m_port; }
    // Everything logged so far, once the simulator has been quiet for a moment.
    QString Log();
    // Waits up to `ms` for `text` to appear in the log.
    bool WaitForLog(const QString& text, int ms = 10000);
    void Stop();

private:
    QProcess m_process;
    QString m_port;
    QString m_log;
};
