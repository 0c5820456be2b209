#include "CBendsCommand.h"

#include <CBendFinder.h>
#include <CEventSource.h>
#include <CFile.h>
#include <CWavelengthPair.h>
#include <Exception.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>

#include <cmath>

#include <cstdio>
#include <memory>

namespace {

void Print(FILE* stream, const QString& text)
{
    std::fflush(stdout);
    const QByteArray bytes = text.toLocal8Bit();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
}

QString Loss(const std::optional<double>& loss)
{
    return loss ? QString::number(*loss, 'f', 3) : QStringLiteral("-");
}

} // namespace

QString CBendsCommand::Usage()
{
    return tr("  lumetrix-sor bends SHORT.sor LONG.sor [--threshold DB] [--json]\n");
}

CBendsCommand::tResult CBendsCommand::Compare(
    const QString& first, const QString& second, double thresholdDb, bool json)
{
    std::unique_ptr<sor::CFile> files[2];
    const QString paths[2] = { first, second };
    for (int i = 0; i < 2; ++i) {
        try {
            quint32 warnings = 0;
            files[i] = std::make_unique<sor::CFile>(paths[i], warnings);
        } catch (const Exception& e) {
            return { tr("%1: %2\n")
                         .arg(paths[i],
                             e.FullText(QStringLiteral("SOR"))
                                 .split(QLatin1Char('\n'), Qt::SkipEmptyParts)
                                 .join(QStringLiteral(" - "))),
                2 };
        } catch (const std::exception& e) {
            return { tr("%1: %2\n").arg(paths[i], QString::fromLocal8Bit(e.what())), 2 };
        }
    }
    // The files may come in either order: the wavelengths say which is which.
    if (analysis::CWavelengthPair::WavelengthNm(*files[0]) > analysis::CWavelengthPair::WavelengthNm(*files[1]))
        std::swap(files[0], files[1]);
    const sor::CFile& shortFile = *files[0];
    const sor::CFile& longFile = *files[1];
    const analysis::tThresholds defaults;
    const analysis::tAnalysisResult shorter = analysis::CEventSource::StoredOrAnalysed(shortFile, defaults);
    const analysis::tAnalysisResult longer = analysis::CEventSource::StoredOrAnalysed(longFile, defaults);
    const QString refusal = analysis::CWavelengthPair::Refusal(shortFile, shorter, longFile, longer);
    if (!refusal.isEmpty())
        return { tr("bends: %1\n").arg(refusal), 2 };

    const double tolerance = analysis::CWavelengthPair::ToleranceM(
        shorter.pulseNs, longer.pulseNs, double(float(longFile.FixedParameters().groupIndex)));
    const std::vector<analysis::CBendFinder::tPlace> places
        = analysis::CBendFinder::Find(shorter, longer, tolerance, thresholdDb);
    const double shortNm = analysis::CWavelengthPair::WavelengthNm(shortFile);
    const double longNm = analysis::CWavelengthPair::WavelengthNm(longFile);

    if (json) {
        // Losses to a thousandth of a dB and distances to a centimetre, as
        // the files hold them: not the noise of single precision.
        const auto rounded = [](double value, double units) { return std::round(value * units) / units; };
        const auto loss = [&](const std::optional<double>& value) {
            return value ? QJsonValue(rounded(*value, 1000)) : QJsonValue(QJsonValue::Null);
        };
        QJsonArray events;
        for (const analysis::CBendFinder::tPlace& place : places)
            events.append(QJsonObject { { QStringLiteral("distance_m"), rounded(place.distanceM, 100) },
                { QStringLiteral("loss_short_db"), loss(place.lossShortDb) },
                { QStringLiteral("loss_long_db"), loss(place.lossLongDb) }, { QStringLiteral("bend"), place.bend } });
        const QJsonObject object { { QStringLiteral("short_nm"), shortNm }, { QStringLiteral("long_nm"), longNm },
            { QStringLiteral("threshold_db"), thresholdDb }, { QStringLiteral("events"), events } };
        return { QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Indented)), 0 };
    }

    int bends = 0;
    QString text = tr("%1 nm: %2\n%3 nm: %4\nThreshold: %5 dB\n")
                       .arg(shortNm)
                       .arg(shortFile.Path())
                       .arg(longNm)
                       .arg(longFile.Path())
                       .arg(thresholdDb, 0, 'f', 3);
    text += tr("Distance [km]  Loss %1 nm [dB]  Loss %2 nm [dB]\n").arg(shortNm).arg(longNm);
    for (const analysis::CBendFinder::tPlace& place : places) {
        text += QStringLiteral("%1  %2  %3%4\n")
                    .arg(place.distanceM / 1000.0, 13, 'f', 4)
                    .arg(Loss(place.lossShortDb), 17)
                    .arg(Loss(place.lossLongDb), 17)
                    .arg(place.bend ? QStringLiteral("  ") + tr("bend") : QString());
        bends += place.bend ? 1 : 0;
    }
    text += tr("%n bend(s) found.\n", nullptr, bends);
    return { text, 0 };
}

int CBendsCommand::Run(const QStringList& arguments)
{
    QStringList files;
    bool json = false;
    bool jsonSeen = false;
    std::optional<double> threshold;
    bool optionsEnded = false;
    QString problem;
    for (int i = 0; i < arguments.size() && problem.isEmpty(); ++i) {
        const QString& argument = arguments.at(i);
        if (optionsEnded || !argument.startsWith(QLatin1String("--"))) {
            files << argument;
        } else if (argument == QLatin1String("--")) {
            optionsEnded = true;
        } else if (argument == QLatin1String("--json")) {
            if (jsonSeen)
                problem = tr("The option \"%1\" is given twice.").arg(argument);
            json = jsonSeen = true;
        } else if (argument == QLatin1String("--threshold")) {
            if (threshold)
                problem = tr("The option \"%1\" is given twice.").arg(argument);
            else if (i + 1 >= arguments.size())
                problem = tr("The option \"%1\" needs a value.").arg(argument);
            else {
                bool ok = false;
                const QString value = arguments.at(++i);
                const double number = QLocale::c().toDouble(value, &ok);
                if (!ok || !(number >= 0) || number > 100)
                    problem = tr("The value \"%1\" of \"%2\" is not valid.").arg(value, argument);
                threshold = number;
            }
        } else {
            problem = tr("Unknown option \"%1\".").arg(argument);
        }
    }
    if (problem.isEmpty() && files.size() != 2)
        problem = tr("bends needs exactly two files.");
    if (!problem.isEmpty()) {
        Print(stderr, problem + QLatin1Char('\n') + tr("Usage:\n") + Usage());
        return 2;
    }
    const tResult result
        = Compare(files.at(0), files.at(1), threshold.value_or(analysis::CBendFinder::kDefaultThresholdDb), json);
    Print(result.exitCode == 0 ? stdout : stderr, result.text);
    return result.exitCode;
}
