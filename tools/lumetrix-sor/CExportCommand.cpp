#include "CExportCommand.h"

#include "CEventJson.h"
#include "CJsonWriter.h"

#include <CCsvExport.h>
#include <CEventSource.h>
#include <CFile.h>
#include <CLimitSets.h>
#include <CVerdict.h>
#include <Exception.h>

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

namespace {

void Print(FILE* stream, const QString& text)
{
    std::fflush(stdout);
    const QByteArray bytes = text.toLocal8Bit();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
}

QString OneLine(const Exception& e)
{
    return e.FullText(QStringLiteral("SOR")).split(QLatin1Char('\n'), Qt::SkipEmptyParts).join(QStringLiteral(" - "));
}

// A table being written: a file written whole or not at all, or standard output.
class COutput
{
public:
    explicit COutput(const QString& path) : m_sPath(path)
    {
        if (!path.isEmpty() && path != QLatin1String("-"))
            m_pFile = std::make_unique<QSaveFile>(path);
    }
    bool IsSet() const { return !m_sPath.isEmpty(); }
    bool IsStandardOutput() const { return m_sPath == QLatin1String("-"); }

    QString Open()
    {
        if (m_pFile && !m_pFile->open(QIODevice::WriteOnly))
            return QStringLiteral("%1: %2").arg(m_sPath, m_pFile->errorString());
        return QString();
    }
    QString Write(const QByteArray& bytes)
    {
        if (!IsSet() || bytes.isEmpty())
            return QString();
        if (!m_pFile) {
            if (std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout) != size_t(bytes.size()))
                return QStringLiteral("-: %1").arg(QString::fromLocal8Bit(std::strerror(errno)));
            return QString();
        }
        if (m_pFile->write(bytes) != bytes.size())
            return QStringLiteral("%1: %2").arg(m_sPath, m_pFile->errorString());
        return QString();
    }
    QString Finish(bool keep)
    {
        if (!m_pFile)
            return QString();
        if (!keep) {
            m_pFile->cancelWriting();
            return QString();
        }
        if (!m_pFile->commit())
            return QStringLiteral("%1: %2").arg(m_sPath, m_pFile->errorString());
        return QString();
    }

private:
    QString m_sPath;
    std::unique_ptr<QSaveFile> m_pFile;
};

} // namespace

QString CExportCommand::Usage()
{
    return tr("  lumetrix-sor export FILE... [--events OUT.csv [--limits NAME|FILE.json]] [--trace DIR]\n"
              "                            [--jsonl OUT.jsonl]\n"
              "                            the events as one CSV table (with the verdict against a\n"
              "                            limit set), each trace as CSV files of distance and level\n"
              "                            (a file per pulse), one JSON object a line per file;\n"
              "                            - as OUT writes to standard output\n");
}

QString CExportCommand::Parse(QStringList arguments, CBatchRunner& batch)
{
    QString problem = batch.TakeOptions(arguments);
    if (!problem.isEmpty())
        return problem;
    QStringList files;
    bool optionsEnded = false;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments.at(i);
        if (optionsEnded || !argument.startsWith(QLatin1String("--"))) {
            files << argument;
            continue;
        }
        if (argument == QLatin1String("--")) {
            optionsEnded = true;
            continue;
        }
        QString* target = nullptr;
        if (argument == QLatin1String("--events"))
            target = &m_sEvents;
        else if (argument == QLatin1String("--trace"))
            target = &m_sTraceDir;
        else if (argument == QLatin1String("--jsonl"))
            target = &m_sJsonl;
        else if (argument == QLatin1String("--limits"))
            target = &m_sLimits;
        else
            return tr("Unknown option \"%1\".").arg(argument);
        if (i + 1 >= arguments.size() || arguments.at(i + 1).isEmpty())
            return tr("The option \"%1\" needs a value.").arg(argument);
        if (!target->isEmpty())
            return tr("The option \"%1\" is given twice.").arg(argument);
        *target = arguments.at(++i);
    }
    if (m_sEvents.isEmpty() && m_sTraceDir.isEmpty() && m_sJsonl.isEmpty())
        return tr("export needs at least one of --events, --trace and --jsonl.");
    if (!m_sLimits.isEmpty()) {
        if (m_sEvents.isEmpty())
            return tr("--limits gives the verdict columns of --events.");
        QString error;
        m_limits = analysis::CLimitSets::Resolve(m_sLimits, error);
        if (!m_limits)
            return error;
    }
    if (m_sEvents == QLatin1String("-") && m_sJsonl == QLatin1String("-"))
        return tr("Only one of --events and --jsonl can go to standard output.");
    if (!m_sEvents.isEmpty() && QFileInfo(m_sEvents).absoluteFilePath() == QFileInfo(m_sJsonl).absoluteFilePath())
        return tr("--events and --jsonl name the same file.");
    problem = batch.AddFiles(files);
    if (!problem.isEmpty())
        return problem;
    if (batch.Files().isEmpty())
        return tr("export needs at least one file.");
    return QString();
}

int CExportCommand::Run(const QStringList& arguments)
{
    CBatchRunner batch;
    const QString problem = Parse(arguments, batch);
    if (!problem.isEmpty()) {
        Print(stderr, problem + QLatin1Char('\n') + tr("Usage:\n") + Usage() + CBatchRunner::Usage());
        return CBatchRunner::ExitError;
    }
    if (!m_sTraceDir.isEmpty()) {
        if (!QDir().mkpath(m_sTraceDir)) {
            Print(stderr, tr("%1: the folder cannot be made.\n").arg(m_sTraceDir));
            return CBatchRunner::ExitError;
        }
        for (const QString& path : batch.Files()) {
            const QString name = QFileInfo(path).completeBaseName();
            if (!m_traceOwners.contains(name))
                m_traceOwners.insert(name, path);
        }
    }

    COutput events(m_sEvents);
    COutput jsonl(m_sJsonl);
    for (COutput* output : { &events, &jsonl }) {
        const QString error = output->Open();
        if (!error.isEmpty()) {
            Print(stderr, error + QLatin1Char('\n'));
            return CBatchRunner::ExitError;
        }
    }
    QString error = events.Write(analysis::CCsvExport::EventsHeader(sor::Metres, m_limits.has_value()));
    if (error.isEmpty()) {
        bool written = true;
        batch.SetSink([&](CBatchRunner::tFileResult& result) {
            QString problem = events.Write(result.data);
            if (problem.isEmpty())
                problem = jsonl.Write(result.moreData);
            written = written && problem.isEmpty();
            return problem;
        });
        const int exitCode = batch.Run([this](const QString& path) { return ExportFile(path); });
        // Interrupted or unwritable, the tables are left as they were.
        const bool keep = written && !batch.WasInterrupted();
        const QString eventsError = events.Finish(keep);
        const QString jsonlError = jsonl.Finish(keep);
        if (eventsError.isEmpty() && jsonlError.isEmpty())
            return exitCode;
        Print(stderr, (eventsError.isEmpty() ? jsonlError : eventsError) + QLatin1Char('\n'));
        return std::max<int>(exitCode, CBatchRunner::ExitError);
    }
    Print(stderr, error + QLatin1Char('\n'));
    events.Finish(false);
    jsonl.Finish(false);
    return CBatchRunner::ExitError;
}

CBatchRunner::tFileResult CExportCommand::ExportFile(const QString& path) const
{
    CBatchRunner::tFileResult result;
    std::unique_ptr<sor::CFile> file;
    try {
        quint32 warnings = 0;
        file = std::make_unique<sor::CFile>(path, warnings);
    } catch (const Exception& e) {
        result.err = tr("%1: %2\n").arg(path, OneLine(e));
        result.exitCode = CBatchRunner::ExitError;
        return result;
    } catch (const std::exception& e) {
        result.err = tr("%1: %2\n").arg(path, QString::fromLocal8Bit(e.what()));
        result.exitCode = CBatchRunner::ExitError;
        return result;
    }
    if (!m_sEvents.isEmpty())
    {
        if (m_limits) {
            // Judged on the events the rows show, over the whole trace.
            const analysis::tVerdict verdict = analysis::CVerdict::Judge(
                *file, analysis::CEventSource::Stored(*file), *m_limits, analysis::tSpan());
            result.data = analysis::CCsvExport::EventRows(*file, path, sor::Metres, &verdict);
        } else {
            result.data = analysis::CCsvExport::EventRows(*file, path);
        }
    }
    if (!m_sJsonl.isEmpty())
        result.moreData = JsonLine(*file, path);
    if (m_sTraceDir.isEmpty())
        return result;

    if (m_traceOwners.value(QFileInfo(path).completeBaseName()) != path) {
        result.err = tr("%1: not written to %2: an earlier file of the list has the same name\n").arg(path, m_sTraceDir);
        result.exitCode = CBatchRunner::ExitError;
        return result;
    }
    const int pulses = std::max<int>(1, int(file->DataPoints().groups.size()));
    for (int pulse = 0; pulse < pulses; ++pulse) {
        const QString target = TraceFileName(m_sTraceDir, path, pulse);
        QSaveFile out(target);
        const QByteArray bytes = analysis::CCsvExport::TraceHeader() + analysis::CCsvExport::TraceRows(*file, pulse);
        if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size() || !out.commit()) {
            result.err += tr("%1: %2: %3\n").arg(path, target, out.errorString());
            result.exitCode = CBatchRunner::ExitError;
        }
    }
    return result;
}

QString CExportCommand::TraceFileName(const QString& dir, const QString& path, int pulse)
{
    const QString name = QFileInfo(path).completeBaseName();
    return QDir(dir).filePath(pulse == 0 ? name + QStringLiteral(".csv")
                                         : QStringLiteral("%1.pulse%2.csv").arg(name).arg(pulse + 1));
}

QByteArray CExportCommand::JsonLine(const sor::CFile& file, const QString& label)
{
    const analysis::tAnalysisResult stored = analysis::CEventSource::Stored(file);
    const sor::tGeneralParameters& general = file.GeneralParameters();
    const sor::tFixedParameters& fixed = file.FixedParameters();
    auto positive = [](CJsonWriter& json, const char* key, float value) {
        json.Key(key);
        if (value > 0.0f)
            json.Value(value);
        else
            json.Null();
    };

    CJsonWriter json;
    json.SetCompact(true);
    json.BeginObject();
    json.Field("file", label);
    json.Field("format", file.FormatRevision());
    json.Field("date", fixed.dateTime.toUTC().toString(Qt::ISODate));
    json.Field("cable_id", general.cableId.Text());
    json.Field("fiber_id", general.fiberId.Text());
    json.Field("location_a", general.originatingLocation.Text());
    json.Field("location_b", general.terminatingLocation.Text());
    json.Field("supplier", file.SupplierParameters().supplierName.Text());
    json.Field("mainframe", file.SupplierParameters().mainframeId.Text());
    positive(json, "wavelength_nm", general.wavelength);
    positive(json, "pulse_ns", fixed.pulseWidth);
    positive(json, "group_index", fixed.groupIndex);
    json.Field("pulses", std::max<size_t>(1, file.DataPoints().groups.size()));
    json.Field("points", file.PointCount());
    json.Key("resolution_m");
    json.Value(file.Resolution());
    json.Field("length_m", file.Length());
    // Stored gives the file's order; the list goes in distance order.
    std::vector<analysis::tFoundEvent> events = stored.events;
    std::stable_sort(events.begin(), events.end(),
        [](const analysis::tFoundEvent& a, const analysis::tFoundEvent& b) { return a.distanceM < b.distanceM; });
    CEventJson::WriteEvents(json, events, CEventJson::Stored);
    CEventJson::WriteSpan(json, stored, CEventJson::Stored);
    json.EndObject();
    return json.Text();
}
