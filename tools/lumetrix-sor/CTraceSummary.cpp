#include "CTraceSummary.h"

#include <CFile.h>

#include <QFileInfo>
#include <QLocale>

namespace {

QString Fixed(double value, int decimals)
{
    return QLocale().toString(value, 'f', decimals);
}

QString EventCode(const sor::tKeyEvent& e)
{
    return QString::fromLatin1(e.Code().data(), 6);
}

// Texts joined by ", ", leaving out the empty ones.
QString Joined(const QStringList& parts)
{
    QStringList present;
    for (const QString& part : parts) {
        if (!part.isEmpty())
            present << part;
    }
    return present.join(QStringLiteral(", "));
}

} // namespace

QStringList CTraceSummary::WarningTexts(quint32 warnings)
{
    QStringList texts;
    if (warnings & bc::WarningChecksumMissing)
        texts << tr("CRC block not present (file loaded)");
    if (warnings & bc::WarningChecksumWrong)
        texts << tr("Invalid file CRC (file loaded)");
    if (warnings & bc::WarningCodepageMissing)
        texts << tr("Requested codepage not present (file loaded)");
    return texts;
}

QString CTraceSummary::ChecksumState(quint32 warnings)
{
    if (warnings & bc::WarningChecksumMissing)
        return tr("absent");
    if (warnings & bc::WarningChecksumWrong)
        return tr("does not match");
    return tr("matches");
}

QString CTraceSummary::ChecksumState(const sor::CFile& file, quint32 warnings)
{
    if (warnings & (bc::WarningChecksumMissing | bc::WarningChecksumWrong))
        return ChecksumState(warnings);
    return tr("matches (%1)").arg(bc::CChecksumConvention::Name(file.ChecksumConvention()));
}

QString CTraceSummary::FormatAndChecksum(const sor::CFile& file, quint32 warnings)
{
    return tr("format %1, checksum %2").arg(file.FormatRevision()).arg(ChecksumState(file, warnings));
}

QString CTraceSummary::Text(const sor::CFile& file, quint32 warnings)
{
    const sor::tGeneralParameters& g = file.GeneralParameters();
    const sor::tSupplierParameters& s = file.SupplierParameters();
    const sor::tFixedParameters& f = file.FixedParameters();
    const QLocale locale;

    const QString serial = s.mainframeSerial.Text();
    const QString software = s.softwareRevision.Text();
    const QString instrument = Joined(
        { s.supplierName.Text(), s.mainframeId.Text(), serial.isEmpty() ? QString() : tr("serial %1").arg(serial),
            software.isEmpty() ? QString() : tr("software %1").arg(software) });
    const QString route = Joined({ g.originatingLocation.Text(), g.terminatingLocation.Text() });
    QStringList widths;
    for (const sor::tPulse& entry : f.pulses)
        widths << entry.pulseWidth.ToString();
    const QString pulse = widths.size() > 1
        ? tr("%1 ns (pulses %2 ns)").arg(f.pulseWidth.ToString(), widths.join(QStringLiteral(", ")))
        : tr("%1 ns").arg(f.pulseWidth.ToString());
    const double rangeKm = file.TimeToDistance(f.acquisitionRange.Value()) / 1000.0;

    QList<QPair<QString, QString>> rows;
    rows.append({ tr("File"), QFileInfo(file.Path()).fileName() });
    rows.append({ tr("Format"), tr("%1, checksum %2").arg(file.FormatRevision()).arg(ChecksumState(file, warnings)) });
    rows.append({ tr("Code page"), QString::fromLatin1(file.CodecName()) });
    rows.append({ tr("Date"), tr("%1 UTC").arg(f.dateTime.toUTC().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"))) });
    rows.append({ tr("Instrument"), instrument });
    rows.append({ tr("Fibre"), Joined({ g.cableId.Text(), g.fiberId.Text(), route }) });
    rows.append({ tr("Wavelength"),
        tr("%1 nm (actual %2 nm)").arg(g.wavelength.ToString(), Fixed(f.actualWavelength.Value(), 1)) });
    if (file.RecordCount() > 1) {
        // A file holding several wavelengths: one record after another.
        QStringList wavelengths { g.wavelength.ToString() };
        for (int index = 1; index < file.RecordCount(); ++index)
            wavelengths << file.Record(index)->GeneralParameters().wavelength.ToString();
        rows.append({ tr("Records"),
            tr("%1 records at %2 nm; the first is described here")
                .arg(file.RecordCount())
                .arg(wavelengths.join(QStringLiteral(", "))) });
    }
    rows.append({ tr("Pulse"), pulse });
    rows.append({ tr("Range"),
        tr("%1 km, trace %2 km, %3 m per point, group index %4")
            .arg(Fixed(rangeKm, 3), Fixed(file.Length() / 1000.0, 3), Fixed(file.Resolution(), 4),
                f.groupIndex.ToString()) });
    rows.append({ tr("Points"), locale.toString(file.PointCount()) });
    rows.append({ tr("Events"), locale.toString(qulonglong(file.KeyEvents().size())) });
    const QStringList warningTexts = WarningTexts(warnings);
    rows.append({ tr("Warnings"), warningTexts.isEmpty() ? tr("none") : warningTexts.join(QStringLiteral("; ")) });

    qsizetype labelWidth = 0;
    for (const auto& row : rows)
        labelWidth = qMax(labelWidth, row.first.size() + 1);
    QString text;
    for (const auto& row : rows)
        text += (row.first + QLatin1Char(':')).leftJustified(labelWidth + 1) + row.second + QLatin1Char('\n');

    for (const sor::tKeyEvent& e : file.KeyEvents()) {
        const QString line
            = tr("%1  %2 km  %3  loss %4 dB  reflectance %5 dB")
                  .arg(QString::number(e.number.Value()).rightJustified(3),
                      Fixed(file.TimeToDistance(e.time.Value()) / 1000.0, 3).rightJustified(9), EventCode(e),
                      Fixed(e.loss.Value(), 3).rightJustified(7), Fixed(e.reflectance.Value(), 3).rightJustified(8));
        text += line + (e.comment.Text().isEmpty() ? QString() : QStringLiteral("  ") + e.comment.Text())
            + QLatin1Char('\n');
    }
    return text;
}
