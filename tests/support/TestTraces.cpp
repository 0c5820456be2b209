#include "TestTraces.h"

#include <QDir>
#include <QFile>

#include <cmath>

namespace TestTraces {

namespace {

// Group index as the file stores it (x 100 000) and the data spacing (time
// for 10 000 samples in 100 ps).
constexpr qint32 kGroupIndex = 149896229;
constexpr qint32 kSpacing = 1000000000;

} // namespace

std::vector<quint16> Ramp(int count, quint16 maxValue)
{
    std::vector<quint16> samples(size_t(count), 0);
    for (int i = 1; i < count; ++i)
        samples[size_t(i)] = quint16(qint64(maxValue) * i / (count - 1));
    return samples;
}

std::vector<quint16> Line(int count, int start, int step)
{
    std::vector<quint16> samples(size_t(count), 0);
    for (int i = 0; i < count; ++i)
        samples[size_t(i)] = quint16(start + step * i);
    return samples;
}

qint32 FileTime(double metres)
{
    return qint32(std::llround(metres * (kGroupIndex / 1e5) * 1e10 / 299792458.0));
}

QString Write(const QString& dir, const tTrace& trace, const QString& name)
{
    using namespace SorBuilder;
    static int serial = 0;

    tFixed fixed;
    fixed.groupIndex = kGroupIndex;
    fixed.pulses[0].width = trace.pulseWidth;
    fixed.pulses[0].spacing = qint32(std::llround(kSpacing * trace.resolution / kResolution));
    fixed.pulses[0].points = quint32(trace.samples.size());
    fixed.backscatter = trace.backscatter;
    tDataPoints points;
    points.groups[0].samples = trace.samples;
    std::vector<tBlock> blocks { { "GenParams", 100, GeneralBody(), {} }, { "FxdParams", 100, FixedBody(fixed), {} } };
    if (!trace.events.empty()) {
        tKeyEvents keyEvents;
        keyEvents.events = trace.events;
        blocks.push_back({ "KeyEvents", 100, KeyEventsBody(keyEvents), {} });
    }
    blocks.push_back({ "DataPts", 100, DataPointsBody(points), {} });
    const QByteArray bytes = Assemble(blocks);

    const QString path = QDir(dir).filePath(name.isEmpty() ? QStringLiteral("trace%1.sor").arg(++serial) : name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        return QString();
    return path;
}

QSharedPointer<tListedFile> Load(const QTemporaryDir& dir, const std::vector<quint16>& samples)
{
    tTrace trace;
    trace.samples = samples;
    return Load(dir, trace);
}

QSharedPointer<tListedFile> Load(const QTemporaryDir& dir, const tTrace& trace)
{
    const QString path = Write(dir.path(), trace);
    if (path.isEmpty())
        return {};
    quint32 warnings = 0;
    return QSharedPointer<tListedFile>::create(QSharedPointer<sor::CFile>::create(path, warnings));
}

} // namespace TestTraces
