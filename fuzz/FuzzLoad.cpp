// Loads any byte string as a trace document. A file that loads must also
// save, and its saved image must load again to the same samples, events and
// parameters; a failure to write or to read the image back is a finding.
// A file of the later layout saved unedited is the input itself (unless its
// checksum block was unreadable); one of version 1.0 gets a checksum that matches.
// Its first pulse is analysed, and every figure found is a number. The records
// that follow the first in a file of several wavelengths are read too.
#include <CFile.h>
#include <CTraceAnalyzer.h>
#include <Exception.h>
#include <tTraceInput.h>

#include <QByteArray>
#include <QStringList>

#include <cmath>
#include <cstdlib>
#include <memory>

namespace {

// The values a reader sees, as text.
QString Values(const sor::CFile& file)
{
    const sor::tGeneralParameters& g = file.GeneralParameters();
    const sor::tFixedParameters& f = file.FixedParameters();
    QStringList values { g.cableId.Text(), g.fiberId.Text(), g.comment.Text(), QString::number(g.currentDataFlag),
        f.groupIndex.ToString(), f.acquisitionRange.ToString(), f.dataSpacing.ToString(), f.pulseWidth.ToString(),
        file.SupplierParameters().mainframeId.Text() };
    for (const sor::tKeyEvent& event : file.KeyEvents())
        values << event.time.ToString() << event.loss.ToString() << event.reflectance.ToString() << event.comment.Text();
    return values.join(QLatin1Char('|'));
}

// Writes the image of a file that loaded and reads it back; neither may fail.
std::unique_ptr<sor::CFile> SavedAndRead(sor::CFile& file, QByteArray& saved, quint32& warnings) noexcept
{
    saved = file.Image();
    return std::make_unique<sor::CFile>(QStringLiteral("fuzz.sor"), saved, warnings);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray image(reinterpret_cast<const char*>(data), qsizetype(size));
    quint32 warnings = 0;
    try {
        sor::CFile file(QStringLiteral("fuzz.sor"), image, warnings);
        (void)file.MaxValue();
        (void)file.ValueAt(file.Length() / 2);
        QByteArray saved;
        quint32 againWarnings = 0;
        const std::unique_ptr<sor::CFile> again = SavedAndRead(file, saved, againWarnings);
        if (again->PointCount() != file.PointCount() || again->KeyEvents().size() != file.KeyEvents().size()
            || Values(*again) != Values(file)
            || (file.IsLaterLayout() ? saved != image && !(warnings & bc::WarningChecksumMissing)
                                     : (againWarnings & bc::WarningChecksumWrong) != 0))
            std::abort();
        for (int i = 0; i < file.PointCount(); ++i) {
            if (again->Point(i) != file.Point(i))
                std::abort();
        }
        // The records that follow in a file holding several wavelengths are
        // traces of their own, read from the bytes the image keeps.
        for (int index = 1; index < file.RecordCount(); ++index) {
            const QSharedPointer<sor::CFile> record = file.Record(index);
            if (!record || record->RecordIndex() != index || record->ValueAt(record->Length() / 2) > record->MaxValue())
                std::abort();
        }
        // Every trace that loads is analysed: no crash, hang or value that is not a number.
        const analysis::tAnalysisResult result
            = analysis::CTraceAnalyzer::Analyze(analysis::tTraceInput::FromFile(file, 0, analysis::tThresholds()));
        for (const analysis::tFoundEvent& event : result.events) {
            if (!std::isfinite(event.distanceM) || (event.lossDb && !std::isfinite(*event.lossDb))
                || (event.reflectanceDb && !std::isfinite(*event.reflectanceDb)))
                std::abort();
        }
    } catch (const Exception&) {
        // Refused with a message: that is the expected outcome for most inputs.
    }
    return 0;
}
