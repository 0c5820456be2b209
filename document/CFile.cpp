#include "CFile.h"

#include <CRecordSpan.h>
#include <Exception.h>

#include <QHash>

#include <algorithm>
#include <cmath>

namespace sor {

namespace {
constexpr double kSpeedOfLight = 299792458.0; // m/s
const std::vector<quint16> kNoSamples;

quint64 Digest(const bc::CDataPoints& points)
{
    size_t digest = qHash(points.groups.size());
    for (const bc::CDataPoints::tDataPointsGroup& group : points.groups) {
        digest = qHash(group.scaleFactor.Value(), digest);
        digest = qHashBits(group.points.data(), group.points.size() * sizeof(quint16), digest);
    }
    return quint64(digest);
}

// A digest of the raw blocks at `indices` of `map`.
quint64 BlocksDigest(const bc::CBlockMap& map, const std::vector<size_t>& indices)
{
    size_t digest = qHash(indices.size());
    for (const size_t index : indices) {
        const QByteArray& bytes = map.entries[index].userBlock.aBytes;
        digest = qHash(map.entries[index].sName, digest);
        digest = qHashBits(bytes.constData(), size_t(bytes.size()), digest);
    }
    return quint64(digest);
}

} // namespace

CFile::CFile(const QString& path, quint32& warnings, QObject* parent) : QObject(parent), m_sPath(path), m_stream(path)
{
    Loaded(m_stream.Load(static_cast<bc::CBellcore&>(*this)), warnings);
}

CFile::CFile(const QString& path, const QByteArray& image, quint32& warnings, QObject* parent)
    : QObject(parent), m_sPath(path), m_stream(path)
{
    Loaded(m_stream.LoadFromData(static_cast<bc::CBellcore&>(*this), image), warnings);
}

void CFile::Loaded(quint32 loadWarnings, quint32& warnings)
{
    // The trace is placed in distance by the fixed parameters and drawn from
    // the data points: a file without either is of no use.
    for (const char* required : { bc::BlockName::Fixed, bc::BlockName::DataPoints }) {
        if (!HasBlock(required) || (required == bc::BlockName::DataPoints && dataPoints.groups.empty())) {
            EFileLoadInvalidFormat failure(Exception::ModuleBlocks, __LINE__);
            failure.SetLaterLayout(IsLaterLayout());
            failure.SetCause(HasBlock(required)
                    ? EFileLoadInvalidFormat::tr("the block %1 holds no samples").arg(QLatin1String(required))
                    : EFileLoadInvalidFormat::tr("the file has no block %1").arg(QLatin1String(required)));
            throw failure;
        }
    }
    m_nLoadWarnings = loadWarnings;
    warnings |= loadWarnings;
    ComputeResolution();
    TraceChanged();
    m_nFileDigest = m_nTraceDigest;
}

void CFile::TraceChanged()
{
    m_bOutlineStale = true;
    m_nTraceDigest = Digest(dataPoints);
}

const CTraceOutline& CFile::Outline() const
{
    // A released trace without one is read back for it: most rows of a long
    // list are never drawn, and their outlines are never made.
    if (m_bOutlineStale) {
        m_outline = CTraceOutline(Samples());
        m_bOutlineStale = false;
    }
    return m_outline;
}

bool CFile::ReleaseTrace()
{
    if ((m_bModified && m_nTraceDigest != m_nFileDigest) || (m_nLoadWarnings & WarningTraceGone))
        return false;
    // A further record reads its samples from the file's trailing bytes,
    // not from the file on its own.
    if (m_nRecordIndex > 0)
        return false;
    if (!m_bTraceReleased) {
        m_nReleasedCount = PointCount();
        std::vector<bc::CDataPoints::tDataPointsGroup>().swap(dataPoints.groups);
        // Other programs' blocks are only written, never shown: they come
        // back from the file with the samples.
        m_releasedBlocks.clear();
        for (size_t i = 0; i < map.entries.size(); ++i) {
            if (!map.entries[i].userBlock.aBytes.isEmpty())
                m_releasedBlocks.push_back(i);
        }
        m_nBlocksDigest = BlocksDigest(map, m_releasedBlocks);
        for (const size_t index : m_releasedBlocks)
            QByteArray().swap(map.entries[index].userBlock.aBytes);
    }
    // The following records hold samples too; they are read again when asked for.
    m_records.clear();
    m_bRecordsRead = false;
    m_bTraceReleased = true;
    return true;
}

void CFile::EnsureTrace() const
{
    if (!m_bTraceReleased)
        return;
    // Documents are made to be changed; only a document that let its trace
    // go comes here, and what it reads back is what it had.
    CFile& self = const_cast<CFile&>(*this);
    self.m_bTraceReleased = false;
    bc::CBellcore reread;
    bool same = false;
    std::vector<size_t> fileBlocks;
    try {
        bc::CFileStream stream(m_sPath);
        stream.Load(reread);
        same = !reread.dataPoints.groups.empty() && Digest(reread.dataPoints) == m_nTraceDigest;
        // Each released block is the file's block of its name and place among
        // the blocks of that name (an edit of the events may have added or
        // removed the events block meanwhile).
        for (size_t i = 0; same && i < m_releasedBlocks.size(); ++i) {
            const QByteArray& name = map.entries[m_releasedBlocks[i]].sName;
            int place = 0;
            for (size_t j = 0; j < m_releasedBlocks[i]; ++j)
                place += map.entries[j].sName == name ? 1 : 0;
            same = false;
            for (size_t j = 0; j < reread.map.entries.size() && !same; ++j) {
                if (reread.map.entries[j].sName == name && place-- == 0) {
                    fileBlocks.push_back(j);
                    same = true;
                }
            }
        }
        same = same && BlocksDigest(reread.map, fileBlocks) == m_nBlocksDigest;
    } catch (const Exception&) {
        same = false;
    }
    if (same) {
        self.dataPoints = std::move(reread.dataPoints);
        for (size_t i = 0; i < m_releasedBlocks.size(); ++i)
            self.map.entries[m_releasedBlocks[i]].userBlock.aBytes = reread.map.entries[fileBlocks[i]].userBlock.aBytes;
        self.m_releasedBlocks.clear();
        return;
    }
    // Nothing else holds the trace: it is shown empty and marked, never
    // replaced by another file's samples.
    self.dataPoints.groups.assign(1, bc::CDataPoints::tDataPointsGroup());
    self.m_bBlocksLost = !m_releasedBlocks.empty();
    self.m_releasedBlocks.clear();
    self.m_nLoadWarnings |= WarningTraceGone;
    self.TraceChanged();
}

void CFile::RequireTrace() const
{
    EnsureTrace();
    if (!(m_nLoadWarnings & WarningTraceGone))
        return;
    EFileAccessError failure(Exception::ModuleBlocks, __LINE__);
    failure.SetCause(tr("the trace changed or went away on disk while it was not held in memory; reload the file"));
    throw failure;
}

void CFile::RequireFirstRecord() const
{
    if (m_nRecordIndex == 0)
        return;
    EFileAccessError failure(Exception::ModuleBlocks, __LINE__);
    failure.SetCause(tr("record %1 of the file is only read: the file is saved through its first record")
                         .arg(m_nRecordIndex + 1));
    throw failure;
}

int CFile::RecordCount() const
{
    ReadRecords();
    return 1 + int(m_records.size());
}

QSharedPointer<CFile> CFile::Record(int index) const
{
    ReadRecords();
    return index >= 1 && size_t(index) <= m_records.size() ? m_records[size_t(index - 1)] : QSharedPointer<CFile>();
}

void CFile::ReadRecords() const
{
    if (m_bRecordsRead)
        return;
    m_bRecordsRead = true;
    m_records.clear();
    // Each record is read once, from its own bytes: the work grows with the
    // file, whatever its trailing bytes hold.
    qint64 offset = 0;
    while (offset < aTrailing.size() && int(m_records.size()) + 1 < kMaxRecords) {
        const qint64 length = bc::CRecordSpan::Length(aTrailing, offset);
        if (length <= 0)
            return;
        try {
            quint32 warnings = 0;
            const QSharedPointer<CFile> record(
                new CFile(m_sPath, aTrailing.mid(qsizetype(offset), qsizetype(length)), warnings));
            record->m_nRecordIndex = int(m_records.size()) + 1;
            m_records.push_back(record);
        } catch (const Exception&) {
            return;
        }
        offset += length;
    }
}

void CFile::Save()
{
    RequireFirstRecord();
    RequireTrace();
    m_stream.Save(static_cast<bc::CBellcore&>(*this));
    // The file now holds the value just written, in a convention it matches.
    if (HasBlock(bc::BlockName::Checksum) && checksum.Written() != bc::tChecksumConvention::Absent) {
        checksum.convention = checksum.Written();
        if (checksum.convention != bc::tChecksumConvention::Mismatch)
            m_nLoadWarnings &= ~quint32(bc::WarningChecksumWrong);
    }
    m_bModified = false;
    m_nFileDigest = m_nTraceDigest;
    emit sigFileChanged(false);
}

void CFile::SaveCopy(const QString& path)
{
    RequireTrace();
    m_stream.SaveTo(static_cast<bc::CBellcore&>(*this), path);
}

QByteArray CFile::Image()
{
    EnsureTrace();
    // Without the other programs' blocks there is no image of this file.
    if (m_bBlocksLost)
        RequireTrace();
    return m_stream.SaveToData(static_cast<bc::CBellcore&>(*this));
}

void CFile::Restore(const QByteArray& image)
{
    // Loaded aside first: a failure leaves every block as it was.
    bc::CBellcore restored;
    bc::CFileStream stream(m_sPath);
    stream.LoadFromData(restored, image);
    static_cast<bc::CBellcore&>(*this) = restored;
    m_records.clear();
    m_bRecordsRead = false;
    // The image holds its whole trace, also where the file lost it.
    m_bTraceReleased = false;
    m_releasedBlocks.clear();
    m_bBlocksLost = false;
    m_nLoadWarnings &= ~WarningTraceGone;
    ComputeResolution();
    TraceChanged();
}

void CFile::Rename(const QString& path)
{
    RequireFirstRecord();
    m_stream.Rename(path);
    m_sPath = path;
}

void CFile::SetModified(bool modified)
{
    m_bModified = modified;
    if (modified)
        ComputeResolution();
    emit sigFileChanged(modified);
}

void CFile::SetParameters(const tGeneralParameters* newGeneral, const tSupplierParameters* newSupplier,
    const tFixedParameters* newFixed)
{
    if (!newGeneral && !newSupplier && !newFixed)
        return;
    // Through the records' own types: the blocks' other members (the language
    // code) stay.
    if (newGeneral)
        GeneralParameters() = *newGeneral;
    if (newSupplier)
        SupplierParameters() = *newSupplier;
    if (newFixed)
        FixedParameters() = *newFixed;
    SetModified(true);
}

void CFile::SetKeyEvents(const std::deque<tKeyEvent>& events)
{
    // The block map changes with the events: released blocks come back first.
    EnsureTrace();
    emit sigAboutToChange();
    keyEvents.events = events;
    UpdateEventsBlock();
    m_bModified = true;
    ComputeResolution();
    emit sigFileChanged(true);
}

void CFile::SetKeyEvents(const std::deque<tKeyEvent>& events, qint32 endToEndLoss, quint16 returnLoss, qint32 spanEnd)
{
    EnsureTrace();
    emit sigAboutToChange();
    keyEvents.events = events;
    keyEvents.endToEndLoss = endToEndLoss;
    keyEvents.endToEndMarkers.start = 0;
    keyEvents.endToEndMarkers.end = spanEnd;
    keyEvents.returnLoss = qint16(returnLoss);
    keyEvents.returnLossMarkers.start = 0;
    keyEvents.returnLossMarkers.end = spanEnd;
    UpdateEventsBlock();
    m_bModified = true;
    ComputeResolution();
    emit sigFileChanged(true);
}

bool CFile::DeleteKeyEvent(int index)
{
    if (index < 0 || size_t(index) >= keyEvents.events.size())
        return false;
    std::deque<tKeyEvent> events = keyEvents.events;
    events.erase(events.begin() + index);
    SetKeyEvents(events);
    return true;
}

bool CFile::SetKeyEventComment(int index, const QString& comment)
{
    if (index < 0 || size_t(index) >= keyEvents.events.size())
        return false;
    // A longer text could not be saved: the field is refused as a whole.
    const QString text = comment.left(keyEvents.events[size_t(index)].comment.MaxLength());
    if (text == keyEvents.events[size_t(index)].comment.Text())
        return false;
    std::deque<tKeyEvent> events = keyEvents.events;
    events[size_t(index)].comment = text;
    SetKeyEvents(events);
    return true;
}

void CFile::ComputeResolution()
{
    const double groupIndex = fixed.params.groupIndex;
    const double spacing = fixed.params.dataSpacing;
    m_fResolution = groupIndex > 0 ? spacing * kSpeedOfLight / groupIndex / 1e9 : 0.0;
}

const std::vector<quint16>& CFile::Samples() const
{
    EnsureTrace();
    return dataPoints.groups.empty() ? kNoSamples : dataPoints.groups.front().points;
}

quint16 CFile::ValueAt(float distance) const
{
    const std::vector<quint16>& p = Samples();
    if (p.empty())
        return 0;
    const double x = m_fResolution > 0 ? std::max(0.0, double(distance) / m_fResolution) : 0.0;
    const double i = std::floor(x);
    if (i >= double(p.size() - 1))
        return p.back();
    const size_t n = size_t(i);
    const double value = p[n] + (double(p[n + 1]) - double(p[n])) * (x - i);
    return quint16(std::floor(value + 0.5));
}

quint16 CFile::MaxValue() const
{
    return Outline().Largest();
}

float CFile::TimeToDistance(float time) const
{
    return float(double(time) * kSpeedOfLight / double(fixed.params.groupIndex) / 1e9);
}

float CFile::DistanceToTime(float distance) const
{
    return float(double(fixed.params.groupIndex) * double(distance) * 1e9 / kSpeedOfLight);
}

} // namespace sor
