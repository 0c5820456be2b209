#include "CCommandDispatcher.h"

#include "CAnalyzeCommand.h"
#include "CArguments.h"
#include "CBidirCommand.h"
#include "CBendsCommand.h"
#include "CDeviceCommand.h"
#include "CEditCommand.h"
#include "CExportCommand.h"
#include "CJsonDump.h"
#include "CSynthLink.h"
#include "CSynthPairCommand.h"
#include "CSynthTrace.h"
#include "CTraceSummary.h"
#include "CVerdictCommand.h"

#include <CFile.h>
#include <Exception.h>

#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QProcess>
#include <QSaveFile>

#include <cstdio>

namespace {

// Precedes the location codes of an error ("Error code is SOR-2:41-2:77").
const QString kErrorPrefix = QStringLiteral("SOR");

enum tExit { ExitOk = 0, ExitWarnings = 1, ExitError = 2 };

// The multi-line text of an exception on one line.
QString OneLine(const Exception& e)
{
    return e.FullText(kErrorPrefix).split(QLatin1Char('\n'), Qt::SkipEmptyParts).join(QStringLiteral(" - "));
}

} // namespace

void CCommandDispatcher::Out(const QString& text)
{
    const QByteArray bytes = text.toLocal8Bit();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
}

void CCommandDispatcher::Err(const QString& text)
{
    // Keeps the order of results and errors when both go to one terminal.
    std::fflush(stdout);
    const QByteArray bytes = text.toLocal8Bit();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stderr);
}

std::unique_ptr<sor::CFile> CCommandDispatcher::Load(const QString& path, quint32& warnings, QString& error)
{
    warnings = 0;
    try {
        return std::make_unique<sor::CFile>(path, warnings);
    } catch (const Exception& e) {
        error = OneLine(e);
    } catch (const std::exception& e) {
        error = QString::fromLocal8Bit(e.what());
    }
    return nullptr;
}

int CCommandDispatcher::Run(const QStringList& arguments)
{
    if (arguments.size() < 2)
        return Usage(QString());
    const QString command = arguments.at(1);
    const QStringList rest = arguments.mid(2);
    if (command == QLatin1String("info"))
        return Info(rest);
    if (command == QLatin1String("dump"))
        return Dump(rest);
    if (command == QLatin1String("check"))
        return Check(rest);
    if (command == QLatin1String("resave"))
        return Resave(rest);
    if (command == QLatin1String("edit"))
        return CEditCommand().Run(rest);
    if (command == QLatin1String("synth"))
        return Synth(rest);
    if (command == QLatin1String("report"))
        return Report(rest);
    if (command == QLatin1String("device"))
        return CDeviceCommand().Run(rest);
    if (command == QLatin1String("analyze"))
        return CAnalyzeCommand().Run(rest);
    if (command == QLatin1String("verdict"))
        return CVerdictCommand().Run(rest);
    if (command == QLatin1String("export"))
        return CExportCommand().Run(rest);
    if (command == QLatin1String("bidir"))
        return CBidirCommand().Run(rest);
    if (command == QLatin1String("bends"))
        return CBendsCommand().Run(rest);
    if (command == QLatin1String("synth-pair"))
        return CSynthPairCommand().Run(rest);
    if (command == QLatin1String("--version")) {
        Out(QStringLiteral("lumetrix-sor %1\n").arg(QStringLiteral(LUMETRIX_VERSION_TEXT)));
        return ExitOk;
    }
    if (command == QLatin1String("help") || command == QLatin1String("--help") || command == QLatin1String("-h")) {
        Out(tr("Usage:\n"
               "  lumetrix-sor info FILE...\n"
               "  lumetrix-sor dump [--points] FILE\n"
               "  lumetrix-sor check FILE...\n"
               "  lumetrix-sor resave IN OUT\n"
               "  lumetrix-sor synth OUT [--length-km X] [--pulse-ns N] [--wavelength NM] [--events N]\n"
               "                         [--seed N] [--lang RU|EN] [--pulses N] [--points N] [--truth OUT.json]\n"
               "  lumetrix-sor report FILE... -o OUT.pdf [--page A4|Letter] [--landscape]\n")
            + CEditCommand::Usage() + CAnalyzeCommand::Usage() + CVerdictCommand::Usage() + CExportCommand::Usage()
            + CBidirCommand::Usage() + CBendsCommand::Usage() + CSynthPairCommand::Usage() + CBatchRunner::Usage()
            + QStringLiteral("  lumetrix-sor --version\n") + CDeviceCommand::Usage()
            + tr("In every command \"--\" ends the options, and an option is given at most once.\n"));
        return ExitOk;
    }
    return Usage(tr("Unknown command \"%1\".").arg(command));
}

int CCommandDispatcher::Usage(const QString& problem)
{
    if (!problem.isEmpty())
        Err(problem + QLatin1Char('\n'));
    Err(tr("Usage: lumetrix-sor info|dump|check|resave|edit|synth|report|device|analyze|verdict|export|bidir|bends ... (lumetrix-sor help for details)\n"));
    return ExitError;
}

int CCommandDispatcher::Info(const QStringList& arguments)
{
    CBatchRunner batch;
    const QString problem = BatchFiles(arguments, batch);
    if (!problem.isEmpty())
        return Usage(problem);
    if (batch.Files().isEmpty())
        return Usage(tr("info needs at least one file."));
    batch.SetSeparator(QStringLiteral("\n"));
    return batch.Run([](const QString& path) {
        CBatchRunner::tFileResult result;
        quint32 warnings = 0;
        const std::unique_ptr<sor::CFile> file = Load(path, warnings, result.err);
        if (!file) {
            result.err = tr("%1: %2\n").arg(path, result.err);
            result.exitCode = ExitError;
        } else {
            result.out = CTraceSummary::Text(*file, warnings);
        }
        return result;
    });
}

QString CCommandDispatcher::BatchFiles(QStringList arguments, CBatchRunner& batch)
{
    const QString problem = batch.TakeOptions(arguments);
    if (!problem.isEmpty())
        return problem;
    // The remaining arguments follow the rules of every command: "--" ends
    // the options, and there are no others.
    CArguments parsed;
    if (const QString refusal = parsed.Parse(arguments); !refusal.isEmpty())
        return refusal;
    return batch.AddFiles(parsed.Operands());
}

int CCommandDispatcher::Dump(const QStringList& arguments)
{
    CArguments parsed;
    parsed.Flag(QStringLiteral("--points"));
    if (const QString problem = parsed.Parse(arguments); !problem.isEmpty())
        return Usage(problem);
    const bool withPoints = parsed.Has(QStringLiteral("--points"));
    const QStringList& files = parsed.Operands();
    if (files.size() != 1)
        return Usage(tr("dump needs exactly one file."));
    quint32 warnings = 0;
    QString error;
    const std::unique_ptr<sor::CFile> file = Load(files.front(), warnings, error);
    if (!file) {
        Err(tr("%1: %2\n").arg(files.front(), error));
        return ExitError;
    }
    const QByteArray json = CJsonDump(*file, warnings).Text(withPoints);
    std::fwrite(json.constData(), 1, size_t(json.size()), stdout);
    return ExitOk;
}

int CCommandDispatcher::Check(const QStringList& arguments)
{
    CBatchRunner batch;
    const QString problem = BatchFiles(arguments, batch);
    if (!problem.isEmpty())
        return Usage(problem);
    if (batch.Files().isEmpty())
        return Usage(tr("check needs at least one file."));
    return batch.Run([](const QString& path) {
        CBatchRunner::tFileResult result;
        quint32 warnings = 0;
        QString error;
        const std::unique_ptr<sor::CFile> file = Load(path, warnings, error);
        if (!file) {
            result.err = tr("%1: %2\n").arg(path, error);
            result.exitCode = ExitError;
        } else if (warnings != 0) {
            result.out = tr("%1: %2; %3\n")
                             .arg(path, CTraceSummary::WarningTexts(warnings).join(QStringLiteral("; ")),
                                 CTraceSummary::FormatAndChecksum(*file, warnings));
            result.exitCode = ExitWarnings;
        } else {
            result.out = tr("%1: OK; %2\n").arg(path, CTraceSummary::FormatAndChecksum(*file, warnings));
        }
        return result;
    });
}

int CCommandDispatcher::Resave(const QStringList& given)
{
    CArguments parsed;
    if (const QString problem = parsed.Parse(given); !problem.isEmpty())
        return Usage(problem);
    const QStringList& arguments = parsed.Operands();
    if (arguments.size() != 2)
        return Usage(tr("resave needs an input and an output file."));
    quint32 warnings = 0;
    QString error;
    const std::unique_ptr<sor::CFile> file = Load(arguments.at(0), warnings, error);
    if (!file) {
        Err(tr("%1: %2\n").arg(arguments.at(0), error));
        return ExitError;
    }
    for (const QString& warning : CTraceSummary::WarningTexts(warnings))
        Err(tr("%1: %2\n").arg(arguments.at(0), warning));
    try {
        file->SaveCopy(arguments.at(1));
    } catch (const Exception& e) {
        Err(tr("%1: %2\n").arg(arguments.at(1), OneLine(e)));
        return ExitError;
    }
    return ExitOk;
}

int CCommandDispatcher::Synth(const QStringList& arguments)
{
    CSynthTrace::tOptions options;
    // Where the trace's true events go as JSON, when asked for.
    QString truthPath;
    QString direction;
    const QLocale c = QLocale::c();
    CArguments parsed;
    for (const char* name : { "--length-km", "--pulse-ns", "--wavelength", "--events", "--seed", "--pulses", "--points",
             "--lang", "--truth", "--direction" })
        parsed.Value(QLatin1String(name));
    if (const QString problem = parsed.Parse(arguments); !problem.isEmpty())
        return Usage(problem);
    if (parsed.Operands().size() > 1)
        return Usage(tr("synth writes exactly one file."));
    const QString output = parsed.Operands().value(0);
    for (const QString& argument : parsed.Order()) {
        const QString value = parsed.Get(argument);
        bool ok = true;
        if (argument == QLatin1String("--length-km")) {
            options.lengthKm = c.toDouble(value, &ok);
        } else if (argument == QLatin1String("--pulse-ns")) {
            options.pulseNs = c.toInt(value, &ok);
        } else if (argument == QLatin1String("--wavelength")) {
            options.wavelength = c.toInt(value, &ok);
        } else if (argument == QLatin1String("--events")) {
            options.events = c.toInt(value, &ok);
        } else if (argument == QLatin1String("--seed")) {
            options.seed = c.toUInt(value, &ok);
        } else if (argument == QLatin1String("--pulses")) {
            options.pulses = c.toInt(value, &ok);
        } else if (argument == QLatin1String("--points")) {
            options.points = c.toInt(value, &ok);
        } else if (argument == QLatin1String("--truth")) {
            truthPath = value;
        } else if (argument == QLatin1String("--lang")) {
            const QString language = value.toUpper();
            ok = language == QLatin1String("RU") || language == QLatin1String("EN");
            options.russian = language == QLatin1String("RU");
        } else if (argument == QLatin1String("--direction")) {
            direction = value.toUpper();
            ok = direction == QLatin1String("AB") || direction == QLatin1String("BA");
        } else {
            return Usage(tr("Unknown option \"%1\".").arg(argument));
        }
        if (!ok)
            return Usage(tr("The value \"%1\" of \"%2\" is not valid.").arg(value, argument));
    }
    if (output.isEmpty())
        return Usage(tr("synth needs an output file."));
    const QString refusal = CSynthTrace::Refusal(options);
    if (!refusal.isEmpty())
        return Usage(refusal);

    try {
        if (direction.isEmpty())
            CSynthTrace(options).Write(output);
        else
            CSynthLink(options).Write(output, direction == QLatin1String("AB") ? CSynthLink::AToB : CSynthLink::BToA);
    } catch (const Exception& e) {
        Err(tr("%1: %2\n").arg(output, OneLine(e)));
        return ExitError;
    }
    // The trace is only useful if the program reads it back as it was meant.
    quint32 warnings = 0;
    QString error;
    if (!Load(output, warnings, error)) {
        Err(tr("%1: the written trace does not load: %2\n").arg(output, error));
        return ExitError;
    }
    if (warnings != 0) {
        Err(tr("%1: the written trace loads with warnings: %2\n")
                .arg(output, CTraceSummary::WarningTexts(warnings).join(QStringLiteral("; "))));
        return ExitError;
    }
    if (!truthPath.isEmpty()) {
        QSaveFile truth(truthPath);
        if (!truth.open(QIODevice::WriteOnly) || truth.write(CSynthTrace(options).TruthJson(QFileInfo(output).fileName())) < 0
            || !truth.commit()) {
            Err(tr("%1: %2\n").arg(truthPath, truth.errorString()));
            return ExitError;
        }
    }
    return ExitOk;
}

int CCommandDispatcher::Report(const QStringList& arguments)
{
    // Drawing pages needs the GUI libraries, which this tool does without:
    // the report is made by lumetrix-report, beside this program in the build
    // folder or in ../lib/lumetrix/ of an installed layout. It gets the
    // arguments as they are; its output and exit code are ours.
    const QDir here(QCoreApplication::applicationDirPath());
    QString program;
    for (const QString& candidate : { here.filePath(QStringLiteral("lumetrix-report")),
             here.filePath(QStringLiteral("../lib/lumetrix/lumetrix-report")) }) {
        if (QFileInfo(candidate).isExecutable()) {
            program = QDir::cleanPath(candidate);
            break;
        }
    }
    if (program.isEmpty()) {
        Err(tr("report: the program lumetrix-report was not found beside %1.\n")
                .arg(QDir::toNativeSeparators(QCoreApplication::applicationFilePath())));
        return ExitError;
    }
    // The pages go into one document in input order, made by one process:
    // --files-from adds its files in front, -j is accepted and has nothing to share.
    CBatchRunner batch;
    QStringList passed = arguments;
    QString problem = batch.TakeOptions(passed);
    if (problem.isEmpty())
        problem = batch.AddFiles(QStringList());
    if (!problem.isEmpty())
        return Usage(problem);
    passed = batch.Files() + passed;
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    process.setInputChannelMode(QProcess::ForwardedInputChannel);
    process.start(program, passed);
    if (!process.waitForStarted(-1) || !process.waitForFinished(-1)) {
        Err(tr("report: %1: %2\n").arg(program, process.errorString()));
        return ExitError;
    }
    if (process.exitStatus() != QProcess::NormalExit) {
        Err(tr("report: %1 ended abnormally.\n").arg(program));
        return ExitError;
    }
    return process.exitCode();
}
