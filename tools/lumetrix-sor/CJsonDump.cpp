#include "CJsonDump.h"

#include "CJsonWriter.h"

#include <CFile.h>

#include <algorithm>

namespace {

void WriteMarkers(CJsonWriter& json, const char* key, const bc::CKeyEvents::tMarkers& markers)
{
    json.Key(key);
    json.BeginObject();
    json.Field("start", markers.start.Value());
    json.Field("end", markers.end.Value());
    json.EndObject();
}

QString Code(const char* code, size_t width)
{
    return QString::fromLatin1(code, qsizetype(width));
}

const char* ChecksumState(quint32 warnings)
{
    if (warnings & bc::WarningChecksumMissing)
        return "absent";
    return (warnings & bc::WarningChecksumWrong) ? "mismatch" : "matches";
}

} // namespace

CJsonDump::CJsonDump(const sor::CFile& file, quint32 warnings) : m_file(file), m_warnings(warnings)
{
}

QByteArray CJsonDump::Text(bool withPoints) const
{
    CJsonWriter json;
    json.BeginObject();
    json.Field("warnings", m_warnings);
    json.Field("format", m_file.FormatRevision());
    json.Field("checksum", ChecksumState(m_warnings));
    json.Field("checksumConvention", bc::CChecksumConvention::Key(m_file.ChecksumConvention()));
    json.Field("codePage", QString::fromLatin1(m_file.CodecName()));
    WriteMap(json);
    if (Lists(bc::BlockName::General))
        WriteGeneral(json);
    if (Lists(bc::BlockName::Supplier))
        WriteSupplier(json);
    if (Lists(bc::BlockName::Fixed))
        WriteFixed(json);
    if (Lists(bc::BlockName::KeyEvents))
        WriteKeyEvents(json);
    if (Lists(bc::BlockName::DataPoints))
        WriteDataPoints(json, withPoints);
    WriteTrace(json);
    json.EndObject();
    return json.Text();
}

bool CJsonDump::Lists(const char* blockName) const
{
    const auto& entries = m_file.BlockMap().entries;
    return std::any_of(
        entries.begin(), entries.end(), [blockName](const bc::CBlockInfo& entry) { return entry.sName == blockName; });
}

void CJsonDump::WriteMap(CJsonWriter& json) const
{
    const bc::CBlockMap& map = m_file.BlockMap();
    json.Key("map");
    json.BeginObject();
    json.Field("revision", map.nRevision);
    json.Key("blocks");
    json.BeginArray();
    for (const bc::CBlockInfo& entry : map.entries) {
        json.BeginObject();
        // Block names are plain ASCII in every file seen so far; Latin-1 shows
        // any other byte as one character.
        json.Field("name", QString::fromLatin1(entry.sName));
        json.Field("revision", entry.nRevision);
        json.Field("size", entry.nSize);
        json.EndObject();
    }
    json.EndArray();
    json.EndObject();
}

void CJsonDump::WriteGeneral(CJsonWriter& json) const
{
    const sor::tGeneralParameters& g = m_file.GeneralParameters();
    const std::array<char, 2>& language = m_file.Language();
    json.Key("general");
    json.BeginObject();
    json.Field("language", QString::fromLatin1(language.data(), 2));
    json.Field("cableId", g.cableId.Text());
    json.Field("fiberId", g.fiberId.Text());
    json.Field("wavelength", g.wavelength.Value());
    json.Field("originatingLocation", g.originatingLocation.Text());
    json.Field("terminatingLocation", g.terminatingLocation.Text());
    json.Field("cableCode", g.cableCode.Text());
    json.Field("currentDataFlag", g.currentDataFlag);
    json.Field("userOffset", g.userOffset.Value());
    json.Field("operatorName", g.operatorName.Text());
    json.Field("comment", g.comment.Text());
    if (m_file.IsLaterLayout()) {
        json.Field("currentDataFlagCode", Code(g.currentDataFlagCode.data(), 2));
        json.Field("fiberType", g.fiberType.Value());
        json.Field("userOffsetDistance", g.userOffsetDistance.Value());
    }
    json.EndObject();
}

void CJsonDump::WriteSupplier(CJsonWriter& json) const
{
    const sor::tSupplierParameters& s = m_file.SupplierParameters();
    json.Key("supplier");
    json.BeginObject();
    json.Field("supplierName", s.supplierName.Text());
    json.Field("mainframeId", s.mainframeId.Text());
    json.Field("mainframeSerial", s.mainframeSerial.Text());
    json.Field("opticalModuleId", s.opticalModuleId.Text());
    json.Field("opticalModuleSerial", s.opticalModuleSerial.Text());
    json.Field("softwareRevision", s.softwareRevision.Text());
    json.Field("otherInfo", s.otherInfo.Text());
    json.EndObject();
}

void CJsonDump::WriteFixed(CJsonWriter& json) const
{
    const sor::tFixedParameters& f = m_file.FixedParameters();
    json.Key("fixed");
    json.BeginObject();
    json.Field("dateTime", f.dateTime.toUTC().toString(Qt::ISODate));
    json.Field("distanceUnit", f.distanceUnit);
    json.Field("actualWavelength", f.actualWavelength.Value());
    json.Field("acquisitionOffset", f.acquisitionOffset.Value());
    json.Field("noiseFloorScale", f.noiseFloorScale);
    json.Key("pulses");
    json.BeginArray();
    for (const sor::tPulse& pulse : f.pulses) {
        json.BeginObject();
        json.Field("pulseWidth", pulse.pulseWidth.Value());
        json.Field("dataSpacing", pulse.dataSpacing.Value());
        json.Field("pointCount", pulse.pointCount);
        json.EndObject();
    }
    json.EndArray();
    json.Field("pulseWidth", f.pulseWidth.Value());
    json.Field("dataSpacing", f.dataSpacing.Value());
    json.Field("groupIndex", f.groupIndex.Value());
    json.Field("backscatter", f.backscatter.Value());
    json.Field("averages", f.averages.Value());
    json.Field("acquisitionRange", f.acquisitionRange.Value());
    json.Field("frontPanelOffset", f.frontPanelOffset.Value());
    json.Field("noiseFloor", f.noiseFloor.Value());
    json.Field("powerOffset", f.powerOffset.Value());
    json.Field("lossThreshold", f.lossThreshold.Value());
    json.Field("reflectanceThreshold", f.reflectanceThreshold.Value());
    json.Field("endOfFiberThreshold", f.endOfFiberThreshold.Value());
    if (m_file.IsLaterLayout()) {
        json.Field("distanceUnitCode", Code(f.distanceUnitCode.data(), 2));
        json.Field("acquisitionOffsetDistance", f.acquisitionOffsetDistance.Value());
        json.Field("averagingTime", f.averagingTime.Value());
        json.Field("acquisitionRangeDistance", f.acquisitionRangeDistance.Value());
        json.Field("traceType", Code(f.traceTypeCode.data(), 2));
        json.IntegerArrayField("windowCoordinates", f.windowCoordinates);
    }
    json.EndObject();
}

void CJsonDump::WriteKeyEvents(CJsonWriter& json) const
{
    const bc::CKeyEvents& block = m_file.KeyEventsBlock();
    json.Key("keyEvents");
    json.BeginObject();
    json.Key("events");
    json.BeginArray();
    for (const sor::tKeyEvent& e : block.events) {
        json.BeginObject();
        json.Field("number", e.number.Value());
        json.Field("time", e.time.Value());
        json.Field("distance", m_file.TimeToDistance(e.time.Value()));
        json.Field("attenuation", e.attenuation.Value());
        json.Field("loss", e.loss.Value());
        json.Field("reflectance", e.reflectance.Value());
        json.Field("codeType", e.codeType);
        json.Field("codeOrigin", e.codeOrigin);
        json.Field("codeRest", QString::fromLatin1(e.codeRest.data(), qsizetype(e.codeRest.size())));
        json.Field("technique", e.technique);
        json.Field("comment", e.comment.Text());
        if (m_file.IsLaterLayout()) {
            json.Field("code", Code(e.Code().data(), 6));
            json.Field("techniqueCode", Code(e.techniqueCode.data(), 2));
            json.IntegerArrayField("markers", e.markers);
        }
        json.EndObject();
    }
    json.EndArray();
    // dB like every other value; the stored integers (0.001 dB) beside them.
    json.Field("endToEndLoss", double(block.endToEndLoss.Value()) / 1000.0);
    json.Field("endToEndLossRaw", block.endToEndLoss.Value());
    WriteMarkers(json, "endToEndMarkers", block.endToEndMarkers);
    // The later layout stores the optical return loss unsigned.
    if (m_file.IsLaterLayout()) {
        json.Field("returnLoss", double(quint16(block.returnLoss.Value())) / 1000.0);
        json.Field("returnLossRaw", quint16(block.returnLoss.Value()));
    } else {
        json.Field("returnLoss", double(block.returnLoss.Value()) / 1000.0);
        json.Field("returnLossRaw", block.returnLoss.Value());
    }
    WriteMarkers(json, "returnLossMarkers", block.returnLossMarkers);
    json.EndObject();
}

void CJsonDump::WriteDataPoints(CJsonWriter& json, bool withPoints) const
{
    const bc::CDataPoints& block = m_file.DataPoints();
    json.Key("dataPoints");
    json.BeginObject();
    json.Field("totalPoints", block.totalPoints);
    json.Key("groups");
    json.BeginArray();
    for (const bc::CDataPoints::tDataPointsGroup& group : block.groups) {
        json.BeginObject();
        json.Field("scaleFactor", group.scaleFactor.Value());
        json.Field("count", group.points.size());
        if (withPoints) {
            json.Key("points");
            json.Samples(group.points.data(), group.points.size());
        }
        json.EndObject();
    }
    json.EndArray();
    json.EndObject();
}

void CJsonDump::WriteTrace(CJsonWriter& json) const
{
    json.Key("trace");
    json.BeginObject();
    json.Field("pointCount", m_file.PointCount());
    json.Field("resolution", m_file.Resolution());
    json.Field("length", m_file.Length());
    json.Field("maxValue", m_file.MaxValue());
    json.EndObject();
}
