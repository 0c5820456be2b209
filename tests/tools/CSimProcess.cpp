#include "CSimProcess.h"

#include "TestPaths.h"

#include <QDeadlineTimer>

bool CSimProcess::Start(const QStringList& arguments)
{
    m_process.start(TestPaths::BinDir() + QStringLiteral("/otdr-sim"), arguments);
    if (!m_process.waitForStarted(10000))
        return false;
    while (!m_process.canReadLine()) {
        if (!m_process.waitForReadyRead(10000))
            return false;
    }
    m_port = QString::fromLocal8Bit(m_process.readLine()).trimmed();
    // From now on only the log matters, and waits are for it.
    m_process.setReadChannel(QProcess::StandardError);
    return m_port.startsWith(QLatin1Char('/'));
}

QString CSimProcess::Log()
{
    // Without an event loop the pipe is read only while waiting on it: take
    // what comes until the simulator has been quiet for a moment.
    do
        m_log += QString::fromLocal8Bit(m_process.readAllStandardError());
    while (m_process.state() == QProcess::Running && m_process.waitForReadyRead(100));
    m_log += QString::fromLocal8Bit(m_process.readAllStandardError());
    return m_log;
}

bool CSimProcess::WaitForLog(const QString& text, int ms)
{
    const QDeadlineTimer deadline(ms);
    for (;;) {
        m_log += QString::fromLocal8Bit(m_process.readAllStandardError());
        if (m_log.contains(text))
            return true;
        if (deadline.hasExpired() || m_process.state() != QProcess::Running)
            return false;
        m_process.waitForReadyRead(int(qMax<qint64>(1, deadline.remainingTime())));
    }
}

void CSimProcess::Stop()
{
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.kill();
    m_process.waitForFinished(10000);
}
