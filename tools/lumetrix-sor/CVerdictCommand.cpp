#include "CVerdictCommand.h"

#include <CEventSource.h>
#include <CFile.h>
#include <CVerdict.h>
#include <Exception.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>
#include <QSet>

#include <cmath>
#include <cstdio>

using namespace analysis;

namespace {

void Print(FILE* stream, const QString& text)
{
    std::fflush(stdout);
    const QByteArray bytes = text.toLocal8Bit();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
}

const char* StateKey(tCheck::tState state)
{
    return state == tCheck::Pass ? "PASS" : state == tCheck::Warn ? "WARN" : "FAIL";
}

// `value` to `steps` per unit: the JSON holds the figures as far as they mean
// anything, not the noise of their conversions.
double Rounded(double value, double steps)
{
    return std::round(value * steps) / steps;
}

void Insert(QJsonObject& object, const char* key, const std::optional<double>& value, double steps = 1000)
{
    if (value)
        object.insert(QLatin1String(key), Rounded(*value, steps));
}

} // namespace

QString CVerdictCommand::Usage()
{
    return tr("  lumetrix-sor verdict FILE... --limits NAME|FILE.json [--launch M] [--receive M] [--analyze] [--json]\n"
              "  lumetrix-sor verdict --list-presets\n");
}

QString CVerdictCommand::Parse(const QStringList& given, CBatchRunner& batch)
{
    QStringList arguments = given;
    if (const QString problem = batch.TakeOptions(arguments); !problem.isEmpty())
        return problem;
    QStringList files;
    QSet<QString> seen;
    bool optionsEnd = false;
    QString limits;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments.at(i);
        if (optionsEnd || !argument.startsWith(QLatin1String("--"))) {
            files << argument;
            continue;
        }
        if (argument == QLatin1String("--")) {
            optionsEnd = true;
            continue;
        }
        if (seen.contains(argument))
            return tr("The option \"%1\" is given twice.").arg(argument);
        seen.insert(argument);
        if (argument == QLatin1String("--analyze")) {
            m_bAnalyze = true;
            continue;
        }
        if (argument == QLatin1String("--json")) {
            m_bJson = true;
            continue;
        }
        if (argument == QLatin1String("--list-presets")) {
            m_bListPresets = true;
            continue;
        }
        if (argument != QLatin1String("--limits") && argument != QLatin1String("--launch")
            && argument != QLatin1String("--receive"))
            return tr("Unknown option \"%1\".").arg(argument);
        if (i + 1 >= arguments.size())
            return tr("The option \"%1\" needs a value.").arg(argument);
        const QString value = arguments.at(++i);
        if (argument == QLatin1String("--limits")) {
            limits = value;
            continue;
        }
        bool ok = false;
        const double metres = QLocale::c().toDouble(value, &ok);
        if (!ok || !std::isfinite(metres) || metres < 0)
            return tr("The value \"%1\" of \"%2\" is not valid.").arg(value, argument);
        (argument == QLatin1String("--launch") ? m_span.launchM : m_span.receiveM) = metres;
    }
    if (m_bListPresets)
        return files.isEmpty() && seen.size() == 1 ? QString() : tr("--list-presets takes nothing else.");
    if (const QString problem = batch.AddFiles(files); !problem.isEmpty())
        return problem;
    if (batch.Files().isEmpty())
        return tr("verdict needs at least one file.");
    if (limits.isEmpty())
        return tr("verdict needs --limits NAME|FILE.json.");
    QString error;
    m_limits = CLimitSets::Resolve(limits, error);
    if (!m_limits)
        return tr("The limit set is refused: %1").arg(error);
    return QString();
}

CVerdictCommand::tFileResult CVerdictCommand::Judge(const QString& path) const
{
    tFileResult result;
    std::unique_ptr<sor::CFile> file;
    try {
        quint32 warnings = 0;
        file = std::make_unique<sor::CFile>(path, warnings);
    } catch (const Exception& e) {
        result.err = tr("%1: %2\n").arg(path,
            e.FullText(QStringLiteral("SOR")).split(QLatin1Char('\n'), Qt::SkipEmptyParts).join(QStringLiteral(" - ")));
        result.exit = ExitError;
        return result;
    } catch (const std::exception& e) {
        result.err = tr("%1: %2\n").arg(path, QString::fromLocal8Bit(e.what()));
        result.exit = ExitError;
        return result;
    }
    const tAnalysisResult events
        = m_bAnalyze ? CEventSource::StoredOrAnalysed(*file, tThresholds()) : CEventSource::Stored(*file);
    const tVerdict verdict = CVerdict::Judge(*file, events, *m_limits, m_span);
    result.exit = verdict.state == tCheck::Fail ? ExitFail : ExitPass;
    if (!m_bJson) {
        result.out = tr("%1: %2\n").arg(path, CVerdict::Line(verdict));
        return result;
    }

    QJsonObject object;
    object.insert(QStringLiteral("file"), path);
    object.insert(QStringLiteral("limitSet"), verdict.limitSet);
    object.insert(QStringLiteral("verdict"), QLatin1String(StateKey(verdict.state)));
    if (verdict.state != tCheck::Pass)
        object.insert(QStringLiteral("reason"), CVerdict::Line(verdict));
    if (verdict.problem.isEmpty()) {
        const tSpanFigures& span = verdict.span;
        QJsonObject spanObject { { QStringLiteral("startM"), Rounded(span.startM, 100) },
            { QStringLiteral("endM"), Rounded(span.endM, 100) }, { QStringLiteral("lengthM"), Rounded(span.lengthM, 100) },
            { QStringLiteral("connectors"), span.connectors }, { QStringLiteral("splices"), span.splices } };
        Insert(spanObject, "lossDb", span.lossDb);
        Insert(spanObject, "orlDb", span.orlDb);
        if (span.orlDb)
            spanObject.insert(QStringLiteral("orlSource"), span.orlStored ? QStringLiteral("stored") : QStringLiteral("computed"));
        object.insert(QStringLiteral("span"), spanObject);
    }
    QJsonArray checks;
    for (const tCheck& check : verdict.checks) {
        QJsonObject entry;
        if (check.event >= 0)
            entry.insert(QStringLiteral("event"), check.event + 1);
        entry.insert(QStringLiteral("kind"), QLatin1String(tLimitLevels::Key(check.kind)));
        entry.insert(QStringLiteral("value"), check.value);
        Insert(entry, "warn", check.limit.warn);
        Insert(entry, "fail", check.limit.fail);
        entry.insert(QStringLiteral("state"), QLatin1String(StateKey(check.state)));
        checks.append(entry);
    }
    object.insert(QStringLiteral("checks"), checks);
    result.out = QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact)) + QLatin1Char('\n');
    return result;
}

int CVerdictCommand::Run(const QStringList& arguments)
{
    // The user's own sets live in the program's settings store.
    if (QCoreApplication::organizationName().isEmpty())
        QCoreApplication::setOrganizationName(QStringLiteral("Norvane"));
    if (QCoreApplication::applicationName() == QLatin1String("lumetrix-sor"))
        QCoreApplication::setApplicationName(QStringLiteral("Lumetrix_" LUMETRIX_VERSION_TEXT));

    CBatchRunner batch;
    const QString problem = Parse(arguments, batch);
    if (!problem.isEmpty()) {
        Print(stderr, problem + QLatin1Char('\n') + tr("Usage:\n") + Usage() + CBatchRunner::Usage());
        return ExitError;
    }
    if (m_bListPresets) {
        for (const tLimitSet& set : CLimitSets::Presets())
            Print(stdout, set.name + QLatin1Char('\n'));
        return ExitPass;
    }
    // A failing trace counts as a file done with warnings in the batch, so
    // that an unreadable file (2) still comes before a failing one (3).
    const int batchExit = batch.Run([this](const QString& path) {
        tFileResult judged = Judge(path);
        CBatchRunner::tFileResult result;
        result.out = std::move(judged.out);
        result.err = std::move(judged.err);
        result.exitCode = judged.exit == ExitFail ? CBatchRunner::ExitWarnings : judged.exit;
        return result;
    });
    switch (batchExit) {
    case CBatchRunner::ExitOk:
        return ExitPass;
    case CBatchRunner::ExitWarnings:
    case CBatchRunner::ExitInterrupted:
        return ExitFail;
    default:
        return ExitError;
    }
}
