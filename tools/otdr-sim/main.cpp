#include "CSimCommandLine.h"
#include "CSimulator.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    CSimCommandLine commandLine;
    QString error;
    if (!commandLine.Parse(QCoreApplication::arguments().mid(1), error)) {
        std::fprintf(stderr, "%s\n%s", qPrintable(error), qPrintable(CSimCommandLine::Usage()));
        return 2;
    }
    if (commandLine.bHelp) {
        std::fputs(qPrintable(CSimCommandLine::Usage()), stdout);
        return 0;
    }
    return CSimulator(commandLine.instrument).Run(commandLine.linkPath);
}
