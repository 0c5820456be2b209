#include "CAnalyzeCommand.h"

#include "CEventJson.h"
#include "CJsonWriter.h"

#include <CCsvExport.h>
#include <CEventWriter.h>
#include <CFile.h>
#include <CTraceAnalyzer.h>
#include <Exception.h>
#include <tTraceInput.h>

#include <QLocale>
#include <QSet>

#include <cmath>
#include <cstdio>

namespace {

using analysis::tFoundEvent;
using analysis::tThresholds;

void Print(FILE* stream, const QString& text)
{
    std::fflush(stdout);
    const QByteArray bytes = text.toLocal8Bit();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
}

const char* SourceKey(tThresholds::tSource source)
{
    switch (source) {
    case tThresholds::FromFile:
        return "file";
    case tThresholds::FromOption:
        return "option";
    case tThresholds::FromDefault:
        break;
    }
    return "default";
}

QString OneLine(const Exception& e)
{
    return e.FullText(QStringLiteral("SOR")).split(QLatin1Char('\n'), Qt::SkipEmptyParts).join(QStringLiteral(" - "));
}

} // namespace

QString CAnalyzeCommand::Usage()
{
    return tr("  lumetrix-sor analyze FILE... [--json] [--write] [--pulse N] [--loss-threshold DB]\n"
              "                             [--reflectance-threshold DB] [--end-threshold DB]\n");
}

QString CAnalyzeCommand::Parse(const QStringList& given, CBatchRunner& batch)
{
    QStringList arguments = given;
    if (const QString problem = batch.TakeOptions(arguments); !problem.isEmpty())
        return problem;
    QStringList files;
    const QLocale c = QLocale::c();
    QSet<QString> seen;
    bool options = true;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments.at(i);
        if (!options || !argument.startsWith(QLatin1String("--"))) {
            files << argument;
            continue;
        }
        if (argument == QLatin1String("--")) {
            options = false;
            continue;
        }
        if (seen.contains(argument))
            return tr("The option \"%1\" is given twice.").arg(argument);
        seen.insert(argument);
        if (argument == QLatin1String("--json")) {
            m_bJson = true;
            continue;
        }
        if (argument == QLatin1String("--write")) {
            m_bWrite = true;
            continue;
        }
        std::optional<double>* target = nullptr;
        if (argument == QLatin1String("--loss-threshold"))
            target = &m_loss;
        else if (argument == QLatin1String("--reflectance-threshold"))
            target = &m_reflectance;
        else if (argument == QLatin1String("--end-threshold"))
            target = &m_end;
        else if (argument != QLatin1String("--pulse"))
            return tr("Unknown option \"%1\".").arg(argument);
        if (i + 1 >= arguments.size())
            return tr("The option \"%1\" needs a value.").arg(argument);
        const QString value = arguments.at(++i);
        bool ok = false;
        if (!target) {
            const int pulse = c.toInt(value, &ok);
            if (!ok || pulse < 1)
                return tr("The value \"%1\" of \"%2\" is not valid.").arg(value, argument);
            m_nPulse = pulse - 1;
            continue;
        }
        const double number = c.toDouble(value, &ok);
        // Losses are positive, a reflectance threshold negative.
        const bool fits = target == &m_reflectance ? number < 0 && number > -100 : number > 0 && number < 65;
        if (!ok || !std::isfinite(number) || !fits)
            return tr("The value \"%1\" of \"%2\" is not valid.").arg(value, argument);
        *target = number;
    }
    if (const QString problem = batch.AddFiles(files); !problem.isEmpty())
        return problem;
    if (batch.Files().isEmpty())
        return tr("analyze needs at least one file.");
    return QString();
}

CAnalyzeCommand::tOutcome CAnalyzeCommand::AnalyzeFile(const QString& path) const
{
    tOutcome outcome;
    try {
        quint32 warnings = 0;
        sor::CFile file(path, warnings);
        const int pulses = int(file.DataPoints().groups.size());
        if (m_nPulse >= std::max(pulses, 1)) {
            outcome.err = tr("%1: the file has no pulse %2\n").arg(path).arg(m_nPulse + 1);
            outcome.status = 2;
            return outcome;
        }
        analysis::tTraceInput input = analysis::tTraceInput::FromFile(file, m_nPulse, tThresholds());
        if (m_loss || m_reflectance || m_end) {
            input.thresholds.lossDb = m_loss.value_or(input.thresholds.lossDb);
            input.thresholds.reflectanceDb = m_reflectance.value_or(input.thresholds.reflectanceDb);
            input.thresholds.endDb = m_end.value_or(input.thresholds.endDb);
            input.thresholds.source = tThresholds::FromOption;
        }
        const analysis::tAnalysisResult result = analysis::CTraceAnalyzer::Analyze(input);
        outcome.out = m_bJson ? Json(path, result) : Table(path, result);
        if (m_bWrite) {
            if (m_nPulse != 0) {
                outcome.err = tr("%1: not written: the events of a file belong to its first pulse\n").arg(path);
                outcome.status = 2;
                return outcome;
            }
            analysis::CEventWriter::Apply(file, result);
            file.Save();
            if (!m_bJson)
                outcome.out += tr("%1: written\n").arg(path);
        }
    } catch (const Exception& e) {
        outcome.err = (m_bWrite ? tr("%1: not written: %2\n") : tr("%1: %2\n")).arg(path, OneLine(e));
        outcome.status = 2;
    } catch (const std::exception& e) {
        outcome.err = tr("%1: %2\n").arg(path, QString::fromLocal8Bit(e.what()));
        outcome.status = 2;
    }
    return outcome;
}

QString CAnalyzeCommand::Json(const QString& path, const analysis::tAnalysisResult& result)
{
    CJsonWriter json;
    json.SetCompact(true);
    json.SetSpaced(true);
    json.BeginObject();
    json.Field("file", path);
    json.Key("pulse_ns");
    json.Fixed(result.pulseNs, 0);
    CEventJson::WriteEvents(json, result.events, CEventJson::Measured);
    CEventJson::WriteSpan(json, result, CEventJson::Measured);
    const tThresholds& t = result.thresholds;
    json.Key("thresholds");
    json.BeginObject();
    json.Key("loss_db");
    json.Fixed(t.lossDb, 3);
    json.Key("reflectance_db");
    json.Fixed(t.reflectanceDb, 3);
    json.Key("end_db");
    json.Fixed(t.endDb, 3);
    json.Field("from", SourceKey(t.source));
    json.EndObject();
    json.EndObject();
    return QString::fromUtf8(json.Text());
}

QString CAnalyzeCommand::Table(const QString& path, const analysis::tAnalysisResult& result) const
{
    const QString none = QStringLiteral("-");
    const auto cell = [&](std::optional<double> value, int decimals) {
        return value && std::isfinite(*value) ? QString::number(*value, 'f', decimals) : none;
    };
    const tThresholds& t = result.thresholds;
    QString text = tr("%1: pulse %2 ns; thresholds: loss %3 dB, reflectance %4 dB, end %5 dB\n")
                       .arg(path, cell(result.pulseNs, 0), cell(t.lossDb, 3), cell(t.reflectanceDb, 1),
                           cell(t.endDb, 1));
    if (!result.reason.isEmpty())
        return text + tr("  no events: %1\n").arg(result.reason);
    text += QStringLiteral("  %1 %2 %3 %4 %5 %6\n")
                .arg(tr("No."), 4)
                .arg(tr("Distance, m"), 12)
                .arg(tr("Type"), -16)
                .arg(tr("Loss, dB"), 9)
                .arg(tr("Refl., dB"), 10)
                .arg(tr("dB/km"), 7);
    int number = 1;
    for (const tFoundEvent& e : result.events) {
        QString kind;
        switch (e.kind) {
        case tFoundEvent::NonReflective:
            kind = tr("non-reflective");
            break;
        case tFoundEvent::Reflective:
            kind = tr("reflective");
            break;
        case tFoundEvent::End:
            kind = tr("end");
            break;
        case tFoundEvent::Echo:
            kind = tr("echo");
            break;
        }
        if (e.merged)
            kind += QLatin1Char('*');
        QString reflectance = cell(e.reflectanceDb, 1);
        if (e.saturated && e.reflectanceDb)
            reflectance = QStringLiteral("\u2265") + reflectance;
        text += QStringLiteral("  %1 %2 %3 %4 %5 %6\n")
                    .arg(number++, 4)
                    .arg(cell(e.distanceM, 1), 12)
                    .arg(kind, -16)
                    .arg(cell(e.lossDb, 3), 9)
                    .arg(reflectance, 10)
                    .arg(cell(e.attenuationDbPerKm, 3), 7);
    }
    text += tr("  end-to-end loss %1 dB, return loss %2 dB, fibre end %3 m\n")
                .arg(cell(result.endToEndLossDb, 3), cell(result.orlDb, 2), cell(result.fiberEndM, 1));
    return text;
}

int CAnalyzeCommand::Run(const QStringList& arguments)
{
    CBatchRunner batch;
    const QString problem = Parse(arguments, batch);
    if (!problem.isEmpty()) {
        Print(stderr, problem + QLatin1Char('\n') + tr("Usage:\n") + Usage() + CBatchRunner::Usage());
        return 2;
    }
    return batch.Run([this](const QString& path) {
        tOutcome outcome = AnalyzeFile(path);
        CBatchRunner::tFileResult result;
        result.out = std::move(outcome.out);
        result.err = std::move(outcome.err);
        result.exitCode = outcome.status;
        return result;
    });
}
