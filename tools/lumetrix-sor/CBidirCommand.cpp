#include "CBidirCommand.h"

#include "CJsonWriter.h"

#include <CBidirectionalPair.h>
#include <CFile.h>
#include <Exception.h>

#include <cstdio>
#include <memory>

namespace {

enum tExit { ExitOk = 0, ExitError = 2 };

void Print(FILE* stream, const QString& text)
{
    std::fflush(stdout);
    const QByteArray bytes = text.toLocal8Bit();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
}

QString Figure(const std::optional<double>& value, int decimals)
{
    return value ? QString::number(*value, 'f', decimals) : QStringLiteral("-");
}

const char* KindKey(analysis::tFoundEvent::tKind kind)
{
    switch (kind) {
    case analysis::tFoundEvent::Reflective:
        return "reflective";
    case analysis::tFoundEvent::End:
        return "end";
    case analysis::tFoundEvent::Echo:
        return "echo";
    case analysis::tFoundEvent::NonReflective:
        break;
    }
    return "non-reflective";
}

const char* SeenKey(analysis::tBidirectionalEvent::tSeen seen)
{
    switch (seen) {
    case analysis::tBidirectionalEvent::AToBOnly:
        return "a-to-b";
    case analysis::tBidirectionalEvent::BToAOnly:
        return "b-to-a";
    case analysis::tBidirectionalEvent::Both:
        break;
    }
    return "both";
}

void OptionalField(CJsonWriter& json, const char* key, const std::optional<double>& value)
{
    if (value)
        json.Field(key, *value);
}

void Direction(CJsonWriter& json, const char* key, const QString& path, const analysis::tAnalysisResult& result)
{
    json.Key(key);
    json.BeginObject();
    json.Field("file", path);
    json.Field("pulseNs", result.pulseNs);
    OptionalField(json, "fiberEndM", result.fiberEndM);
    OptionalField(json, "lossDb", result.endToEndLossDb);
    OptionalField(json, "orlDb", result.orlDb);
    json.EndObject();
}

} // namespace

QString CBidirCommand::Usage()
{
    return tr("  lumetrix-sor bidir A.sor B.sor [--json]\n"
              "  lumetrix-sor synth OUT --direction AB|BA [synth options]\n"
              "                         # one end of a spliced link whose fibres scatter back differently\n");
}

int CBidirCommand::Run(const QStringList& arguments)
{
    bool json = false;
    bool optionsEnded = false;
    QStringList files;
    for (const QString& argument : arguments) {
        if (!optionsEnded && argument == QLatin1String("--")) {
            optionsEnded = true;
        } else if (!optionsEnded && argument == QLatin1String("--json")) {
            if (json) {
                Print(stderr, tr("The option \"%1\" is given twice.\n").arg(argument) + tr("Usage:\n") + Usage());
                return ExitError;
            }
            json = true;
        } else if (!optionsEnded && argument.startsWith(QLatin1String("--"))) {
            Print(stderr, tr("Unknown option \"%1\".\n").arg(argument) + tr("Usage:\n") + Usage());
            return ExitError;
        } else {
            files << argument;
        }
    }
    if (files.size() != 2) {
        Print(stderr, tr("bidir needs two files: the A→B trace and the B→A trace.\n") + tr("Usage:\n") + Usage());
        return ExitError;
    }
    const tOutput output = Pair(files.at(0), files.at(1), json);
    if (!output.text.isEmpty())
        Print(stdout, output.text);
    if (!output.error.isEmpty())
        Print(stderr, output.error);
    return output.exitCode;
}

CBidirCommand::tOutput CBidirCommand::Pair(const QString& aToB, const QString& bToA, bool json)
{
    tOutput output;
    std::unique_ptr<sor::CFile> files[2];
    const QString paths[2] = { aToB, bToA };
    for (int i = 0; i < 2; ++i) {
        try {
            quint32 warnings = 0;
            files[i] = std::make_unique<sor::CFile>(paths[i], warnings);
        } catch (const Exception& e) {
            output.error += tr("%1: %2\n")
                                .arg(paths[i],
                                    e.FullText(QStringLiteral("SOR"))
                                        .split(QLatin1Char('\n'), Qt::SkipEmptyParts)
                                        .join(QStringLiteral(" - ")));
        } catch (const std::exception& e) {
            output.error += tr("%1: %2\n").arg(paths[i], QString::fromLocal8Bit(e.what()));
        }
    }
    if (!files[0] || !files[1]) {
        output.exitCode = ExitError;
        return output;
    }
    const analysis::tBidirectionalResult result
        = analysis::CBidirectionalPair::Analyse(*files[0], *files[1], analysis::tThresholds());
    if (!result.Paired()) {
        output.error = tr("%1 and %2 are not a pair: %3\n").arg(aToB, bToA, result.reason);
        output.exitCode = ExitError;
        return output;
    }
    output.text = json ? QString::fromUtf8(Json(aToB, bToA, result)) : Text(aToB, bToA, result);
    return output;
}

QString CBidirCommand::Text(const QString& aToB, const QString& bToA, const analysis::tBidirectionalResult& result)
{
    QString text;
    text += tr("A→B: %1\n").arg(aToB);
    text += tr("B→A: %1\n").arg(bToA);
    text += tr("Events within %1 m of each other are one event.\n").arg(result.matchToleranceM, 0, 'f', 1);
    text += QLatin1Char('\n');
    const QString row = QStringLiteral("%1  %2  %3  %4  %5  %6  %7\n");
    text += row.arg(tr("No."), 4)
                .arg(tr("Distance, km"), 12)
                .arg(tr("A→B, dB"), 8)
                .arg(tr("B→A, dB"), 8)
                .arg(tr("Loss, dB"), 8)
                .arg(tr("Refl., dB"), 9)
                .arg(tr("Seen from"));
    int number = 0;
    for (const analysis::tBidirectionalEvent& event : result.events) {
        QString seen;
        if (event.kind == analysis::tFoundEvent::End)
            seen = tr("fibre end");
        else if (event.seen == analysis::tBidirectionalEvent::AToBOnly)
            seen = tr("A→B only, loss halved");
        else if (event.seen == analysis::tBidirectionalEvent::BToAOnly)
            seen = tr("B→A only, loss halved");
        else
            seen = tr("both");
        text += row.arg(++number, 4)
                    .arg(event.distanceM / 1000.0, 12, 'f', 4)
                    .arg(Figure(event.lossAToBDb, 3), 8)
                    .arg(Figure(event.lossBToADb, 3), 8)
                    .arg(Figure(event.kind == analysis::tFoundEvent::End ? std::nullopt : event.lossDb, 3), 8)
                    .arg(Figure(event.reflectanceDb, 2), 9)
                    .arg(seen);
    }
    text += QLatin1Char('\n');
    const QString total = QStringLiteral("%1  %2  %3  %4\n");
    text += total.arg(QString(), -18).arg(tr("A→B"), 9).arg(tr("B→A"), 9).arg(tr("Average"), 9);
    text += total.arg(tr("Total loss, dB"), -18)
                .arg(Figure(result.aToB.endToEndLossDb, 3), 9)
                .arg(Figure(result.bToA.endToEndLossDb, 3), 9)
                .arg(Figure(result.averageLossDb, 3), 9);
    text += total.arg(tr("ORL, dB"), -18)
                .arg(Figure(result.aToB.orlDb, 2), 9)
                .arg(Figure(result.bToA.orlDb, 2), 9)
                .arg(QString(), 9);
    const auto km = [](const std::optional<double>& metres) {
        return metres ? std::optional<double>(*metres / 1000.0) : std::nullopt;
    };
    text += total.arg(tr("Fibre end, km"), -18)
                .arg(Figure(km(result.aToB.fiberEndM), 4), 9)
                .arg(Figure(km(result.bToA.fiberEndM), 4), 9)
                .arg(QString(), 9);
    return text;
}

QByteArray CBidirCommand::Json(const QString& aToB, const QString& bToA, const analysis::tBidirectionalResult& result)
{
    CJsonWriter json;
    json.BeginObject();
    Direction(json, "aToB", aToB, result.aToB);
    Direction(json, "bToA", bToA, result.bToA);
    OptionalField(json, "averageLossDb", result.averageLossDb);
    json.Field("matchToleranceM", result.matchToleranceM);
    json.Key("events");
    json.BeginArray();
    for (const analysis::tBidirectionalEvent& event : result.events) {
        json.BeginObject();
        json.Field("distanceM", event.distanceM);
        json.Field("kind", KindKey(event.kind));
        json.Field("seen", SeenKey(event.seen));
        OptionalField(json, "lossDb", event.lossDb);
        OptionalField(json, "lossAToBDb", event.lossAToBDb);
        OptionalField(json, "lossBToADb", event.lossBToADb);
        OptionalField(json, "reflectanceDb", event.reflectanceDb);
        if (event.saturated)
            json.Field("saturated", "yes");
        json.EndObject();
    }
    json.EndArray();
    json.EndObject();
    QByteArray text = json.Text();
    text += '\n';
    return text;
}
