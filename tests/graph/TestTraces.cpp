#include "TestTraces.h"

#include "SorBuilder.h"

#include <QFile>

namespace TestTraces {

std::vector<quint16> Ramp(int count, quint16 maxValue)
{
    std::vector<quint16> samples(size_t(count), 0);
    for (int i = 1; i < count; ++i)
        samples[size_t(i)] = quint16(qint64(maxValue) * i / (count - 1));
    return samples;
}

QSharedPointer<tListedFile> Load(const QTemporaryDir& dir, const std::vector<quint16>& samples)
{
    using namespace SorBuilder;
    static int serial = 0;

    tFixed fixed;
    fixed.groupIndex = 149896229;
    fixed.pulses[0].spacing = 1000000000;
    fixed.pulses[0].points = quint32(samples.size());
    tDataPoints points;
    points.groups[0].samples = samples;
    const QByteArray bytes = Assemble({ { "GenParams", 100, GeneralBody(), {} },
        { "FxdParams", 100, FixedBody(fixed), {} }, { "DataPts", 100, DataPointsBody(points), {} } });

    const QString path = dir.filePath(QStringLiteral("trace%1.sor").arg(++serial));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        return {};
    file.close();
    quint32 warnings = 0;
    return QSharedPointer<tListedFile>::create(QSharedPointer<sor::CFile>::create(path, warnings));
}

} // namespace TestTraces
