#include "CCsvExport.h"

#include "CEventSource.h"
#include "CVerdict.h"
#include "tTraceInput.h"

#include <CDistanceUnit.h>
#include <CFile.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <numeric>

namespace analysis {

namespace {

const char kLineEnd[] = "\r\n";

template<typename T> QByteArray Shortest(T value)
{
    if (!std::isfinite(value))
        return QByteArray();
    char buffer[40];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return QByteArray(buffer, int(result.ptr - buffer));
}

// A value the file leaves at 0 where 0 cannot be meant: empty.
QByteArray Positive(float value)
{
    return value > 0.0f ? Shortest(value) : QByteArray();
}

QByteArray Optional(const std::optional<double>& value)
{
    // Every stored figure is a float widened to double: written as the float.
    return value ? Shortest(float(*value)) : QByteArray();
}

// A sample (0.001 dB below the reference) as a level in dB, exactly.
void AppendLevel(QByteArray& text, quint16 sample)
{
    if (sample != 0)
        text += '-';
    char buffer[8];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, sample / 1000).ptr;
    text.append(buffer, int(end - buffer));
    const unsigned thousandths = sample % 1000;
    text += '.';
    text += char('0' + thousandths / 100);
    text += char('0' + thousandths / 10 % 10);
    text += char('0' + thousandths % 10);
}

} // namespace

const char* CCsvExport::TypeName(tFoundEvent::tKind kind)
{
    switch (kind) {
    case tFoundEvent::Reflective:
        return "reflective";
    case tFoundEvent::End:
        return "end";
    case tFoundEvent::Echo:
        return "echo";
    case tFoundEvent::NonReflective:
        break;
    }
    return "non-reflective";
}

QByteArray CCsvExport::Field(const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    if (!bytes.contains(',') && !bytes.contains('"') && !bytes.contains('\n') && !bytes.contains('\r'))
        return bytes;
    QByteArray quoted = bytes;
    quoted.replace('"', "\"\"");
    return '"' + quoted + '"';
}

QByteArray CCsvExport::Number(float value)
{
    return Shortest(value);
}

QByteArray CCsvExport::Number(double value)
{
    return Shortest(value);
}

QByteArray CCsvExport::EventsHeader(sor::tDistanceUnit unit, bool verdict)
{
    return QByteArrayLiteral("file,wavelength_nm,pulse_ns,group_index,event,distance_") + CDistanceUnit::Code(unit)
        + QByteArrayLiteral(",type,code,loss_db,reflectance_db,attenuation_db_per_km,comment")
        + (verdict ? QByteArrayLiteral(",limit_set,file_verdict,event_verdict") : QByteArray()) + kLineEnd;
}

QByteArray CCsvExport::EventRows(
    const sor::CFile& file, const QString& label, sor::tDistanceUnit unit, const tVerdict* verdict)
{
    const tAnalysisResult stored = CEventSource::Stored(file);
    const std::deque<sor::tKeyEvent>& events = file.KeyEvents();
    // Stored gives one event per stored event, in the file's order.
    const size_t count = std::min(stored.events.size(), events.size());
    std::vector<size_t> order(count);
    std::iota(order.begin(), order.end(), size_t(0));
    std::stable_sort(order.begin(), order.end(),
        [&](size_t a, size_t b) { return stored.events[a].distanceM < stored.events[b].distanceM; });

    const sor::tFixedParameters& fixed = file.FixedParameters();
    QByteArray common = Field(label);
    common += ',' + Positive(file.GeneralParameters().wavelength);
    common += ',' + Positive(fixed.pulseWidth);
    common += ',' + Positive(fixed.groupIndex);
    common += ',';
    QByteArray rows;
    for (const size_t i : order) {
        const tFoundEvent& found = stored.events[i];
        const sor::tKeyEvent& event = events[i];
        rows += common;
        rows += QByteArray::number(event.number.Value());
        rows += ',' + Shortest(float(CDistanceUnit::FromMetres(found.distanceM, unit)));
        rows += ',';
        rows += TypeName(found.kind);
        const std::array<char, 6> code = event.Code();
        rows += ',' + Field(QString::fromLatin1(code.data(), int(code.size())));
        rows += ',' + Optional(found.lossDb);
        rows += ',' + Optional(found.reflectanceDb);
        rows += ',' + Optional(found.attenuationDbPerKm);
        rows += ',' + Field(event.comment.Text());
        if (verdict) {
            rows += ',' + Field(verdict->limitSet);
            rows += ',' + CVerdict::StateText(verdict->state).toLatin1();
            // The worst of the event's checks.
            std::optional<tCheck::tState> worst;
            for (const tCheck& check : verdict->checks)
                if (check.event == int(i) && (!worst || check.state > *worst))
                    worst = check.state;
            rows += ',' + (worst ? CVerdict::StateText(*worst).toLatin1() : QByteArray());
        }
        rows += kLineEnd;
    }
    return rows;
}

QByteArray CCsvExport::TraceHeader(sor::tDistanceUnit unit)
{
    return QByteArrayLiteral("distance_") + CDistanceUnit::Code(unit) + QByteArrayLiteral(",level_db") + kLineEnd;
}

QByteArray CCsvExport::TraceRows(const sor::CFile& file, int pulse, sor::tDistanceUnit unit)
{
    const double per = CDistanceUnit::MetresPer(unit);
    const tTraceInput trace = tTraceInput::FromFile(file, pulse, tThresholds());
    QByteArray rows;
    rows.reserve(qsizetype(trace.samples.size()) * 24);
    for (size_t i = 0; i < trace.samples.size(); ++i) {
        rows += Shortest(double(i) * trace.spacingM / per);
        rows += ',';
        AppendLevel(rows, trace.samples[i]);
        rows += kLineEnd;
    }
    return rows;
}

} // namespace analysis
