#include "CPseudoTerminal.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

namespace {

QString SystemError(const char* call)
{
    return QStringLiteral("%1: %2").arg(QLatin1String(call), QString::fromLocal8Bit(std::strerror(errno)));
}

bool MakeRaw(int fd)
{
    termios settings {};
    if (tcgetattr(fd, &settings) != 0)
        return false;
    cfmakeraw(&settings);
    settings.c_cflag |= CLOCAL | CREAD;
    // Reads return what is there, without waiting for a minimum count.
    settings.c_cc[VMIN] = 0;
    settings.c_cc[VTIME] = 0;
    cfsetispeed(&settings, B57600);
    cfsetospeed(&settings, B57600);
    return tcsetattr(fd, TCSANOW, &settings) == 0;
}

} // namespace

CPseudoTerminal::~CPseudoTerminal()
{
    if (m_slave >= 0)
        ::close(m_slave);
    if (m_master >= 0)
        ::close(m_master);
}

bool CPseudoTerminal::Open(QString& error)
{
    m_master = posix_openpt(O_RDWR | O_NOCTTY);
    if (m_master < 0) {
        error = SystemError("posix_openpt");
        return false;
    }
    if (grantpt(m_master) != 0) {
        error = SystemError("grantpt");
        return false;
    }
    if (unlockpt(m_master) != 0) {
        error = SystemError("unlockpt");
        return false;
    }
    const char* name = ptsname(m_master);
    if (!name) {
        error = SystemError("ptsname");
        return false;
    }
    m_slavePath = QString::fromLocal8Bit(name);
    m_slave = ::open(name, O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (m_slave < 0) {
        error = SystemError("open");
        return false;
    }
    if (!MakeRaw(m_slave) || !MakeRaw(m_master)) {
        error = SystemError("tcsetattr");
        return false;
    }
    const int flags = fcntl(m_master, F_GETFL);
    if (flags < 0 || fcntl(m_master, F_SETFL, flags | O_NONBLOCK) != 0) {
        error = SystemError("fcntl");
        return false;
    }
    return true;
}
