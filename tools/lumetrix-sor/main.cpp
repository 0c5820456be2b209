#include "CCommandDispatcher.h"
#include "CStandardOutput.h"

#include <QCoreApplication>
#include <QLocale>

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    // Numbers as the program shows them: English, without group separators.
    QLocale english(QLocale::English);
    english.setNumberOptions(QLocale::OmitGroupSeparator | QLocale::RejectGroupSeparator);
    QLocale::setDefault(english);
    return CStandardOutput::Finish(CCommandDispatcher().Run(QCoreApplication::arguments()));
}
