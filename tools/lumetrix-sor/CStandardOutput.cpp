#include "CStandardOutput.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

int CStandardOutput::Finish(int exitCode)
{
    errno = 0;
    const bool flushed = std::fflush(stdout) == 0;
    const int error = errno;
    if (flushed && !std::ferror(stdout))
        return exitCode;
    const QString reason = error != 0 ? QString::fromLocal8Bit(std::strerror(error)) : tr("write error");
    const QByteArray text = tr("lumetrix-sor: the output could not be written: %1\n").arg(reason).toLocal8Bit();
    std::fwrite(text.constData(), 1, size_t(text.size()), stderr);
    std::fflush(stderr);
    return 2;
}
