#include "CReportCommand.h"

#include <QGuiApplication>
#include <QLocale>

int main(int argc, char* argv[])
{
    // Reports are made without a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    QCoreApplication::setApplicationVersion(QStringLiteral(LUMETRIX_VERSION));
    // Numbers as the program shows them: English, without group separators.
    QLocale english(QLocale::English);
    english.setNumberOptions(QLocale::OmitGroupSeparator | QLocale::RejectGroupSeparator);
    QLocale::setDefault(english);
    return CReportCommand().Run(QCoreApplication::arguments().mid(1));
}
