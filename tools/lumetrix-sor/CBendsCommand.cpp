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

// The file's path, and which of its records the trace is where it holds several.
QString Name(const sor::CFile& file)
{
    if (file.RecordIndex() == 0 && file.RecordCount() == 1)
        return file.Path();
    return CBendsCommand::tr("%1, record %2").arg(file.Path()).arg(file.RecordIndex() + 1);
}

QString LoadFailure(const QString& path, const Exception& e)
{
    return CBendsCommand::tr("%1: %2\n")
        .arg(path,
            e.FullText(QStringLiteral("SOR")).split(QLatin1Char('\n'), Qt::SkipEmptyParts).join(QStringLiteral(" - ")));
}

} // namespace

QString CBendsCommand::Usage()
{
    return tr("  lumetrix-sor bends SHORT.sor LONG.sor [--threshold DB] [--json]\n"
              "  lumetrix-sor bends BOTH.sor [--threshold DB] [--json]\n");
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
            return { LoadFailure(paths[i], e), 2 };
        } catch (const std::exception& e) {
            return { tr("%1: %2\n").arg(paths[i], QString::fromLocal8Bit(e.what())), 2 };
        }
    }
    return CompareLoaded(*files[0], *files[1], thresholdDb, json);
}

CBendsCommand::tResult CBendsCommand::CompareRecords(const QString& path, double thresholdDb, bool json)
{
    std::unique_ptr<sor::CFile> file;
    try {
        quint32 warnings = 0;
        file = std::make_unique<sor::CFile>(path, warnings);
    } catch (const Exception& e) {
        return { LoadFailure(path, e), 2 };
    } catch (const std::exception& e) {
        return { tr("%1: %2\n").arg(path, QString::fromLocal8Bit(e.what())), 2 };
    }
    if (file->RecordCount() < 2)
        return { tr("bends: %1 holds one wavelength only (%2 nm); compare it with a file of the same fibre at "
                    "another wavelength.\n")
                     .arg(path)
                     .arg(analysis::CWavelengthPair::WavelengthNm(*file)),
            2 };
    // The shortest wavelength against the longest, whatever the order of the records.
    const sor::CFile* shortest = file.get();
    const sor::CFile* longest = file.get();
    std::vector<QSharedPointer<sor::CFile>> records;
    for (int index = 1; index < file->RecordCount(); ++index) {
        records.push_back(file->Record(index));
        const double nm = analysis::CWavelengthPair::WavelengthNm(*records.back());
        if (nm < analysis::CWavelengthPair::WavelengthNm(*shortest))
            shortest = records.back().data();
        if (nm > analysis::CWavelengthPair::WavelengthNm(*longest))
            longest = records.back().data();
    }
    return CompareLoaded(*shortest, *longest, thresholdDb, json);
}

CBendsCommand::tResult CBendsCommand::CompareLoaded(
    const sor::CFile& first, const sor::CFile& second, double thresholdDb, bool json)
{
    // The files may come in either order: the wavelengths say which is which.
    const bool swapped
        = analysis::CWavelengthPair::WavelengthNm(first) > analysis::CWavelengthPair::WavelengthNm(second);
    const sor::CFile& shortFile = swapped ? second : first;
    const sor::CFile& longFile = swapped ? first : second;
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
                       .arg(Name(shortFile))
                       .arg(longNm)
                       .arg(Name(longFile))
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
    if (problem.isEmpty() && files.size() != 1 && files.size() != 2)
        problem = tr("bends needs two files, or one file holding two wavelengths.");
    if (!problem.isEmpty()) {
        Print(stderr, problem + QLatin1Char('\n') + tr("Usage:\n") + Usage());
        return 2;
    }
    const double thresholdDb = threshold.value_or(analysis::CBendFinder::kDefaultThresholdDb);
    const tResult result = files.size() == 1 ? CompareRecords(files.at(0), thresholdDb, json)
                                             : Compare(files.at(0), files.at(1), thresholdDb, json);
    Print(result.exitCode == 0 ? stdout : stderr, result.text);
    return result.exitCode;
}
