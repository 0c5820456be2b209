#pragma once

#include "CTraceOutline.h"

#include <CBellcore.h>
#include <CFileStream.h>

#include <QObject>
#include <QSharedPointer>
#include <QString>

#include <deque>
#include <vector>

namespace sor {

// One trace file held in memory: every block of the file, the path it came
// from and whether it differs from the file. Positions are metres from the
// trace start; samples are in 0.001 dB below the reference (larger is lower).
// Not thread-safe: each document is used by one thread at a time.
//
// A long list of documents need not hold every trace: an unmodified document
// may let its samples go (ReleaseTrace) and keeps only its outline; any use
// of the samples reads them again from its file, checked against a digest
// of what was let go.
class CFile : public QObject, private bc::CBellcore
{
    Q_OBJECT

public:
    // Load warning: the trace was let go and its file no longer holds it (it
    // changed or went away meanwhile). The document has no samples then, and
    // refuses to be saved until it is reloaded or its history brings them back.
    static constexpr quint32 WarningTraceGone = 0x100;

    // Loads the whole file. File and format errors throw the exceptions of the
    // file layer (no document results); load warnings are ORed into `warnings`.
    CFile(const QString& path, quint32& warnings, QObject* parent = nullptr);
    // Loads a file image already in memory (a download); `path` is where
    // Save() will write it.
    CFile(const QString& path, const QByteArray& image, quint32& warnings, QObject* parent = nullptr);

    // Writes the whole trace to its path, then marks it unmodified. Errors
    // throw, and the document stays modified.
    void Save();
    // Writes the trace to another path; the document keeps its own path and state.
    void SaveCopy(const QString& path);
    // The file image as Save() would write it.
    QByteArray Image();
    // Puts back the trace an earlier Image() took (undo and redo). The
    // modified mark and the path stay; format errors throw and leave the
    // document as it was.
    void Restore(const QByteArray& image);
    // Renames the file on disk to `path`, which then is the document's path.
    // Errors throw, and the document keeps its path.
    void Rename(const QString& path);

    bool IsModified() const { return m_bModified; }
    void SetModified(bool modified);
    const QString& Path() const { return m_sPath; }

    const tGeneralParameters& GeneralParameters() const { return general; }
    tGeneralParameters& GeneralParameters() { return general; }
    // Two-character language code of the file.
    const std::array<char, 2>& Language() const { return general.language; }
    const tSupplierParameters& SupplierParameters() const { return supplier; }
    tSupplierParameters& SupplierParameters() { return supplier; }
    const tFixedParameters& FixedParameters() const { return fixed.params; }
    tFixedParameters& FixedParameters() { return fixed.params; }
    // Replaces the given parameter records (null ones stay as they are),
    // recomputes the resolution and marks the document modified. Nothing
    // happens when every record is null.
    void SetParameters(const tGeneralParameters* newGeneral, const tSupplierParameters* newSupplier,
        const tFixedParameters* newFixed);
    // Name of the codec the file's texts are written with: a text it cannot
    // hold cannot be saved.
    const QByteArray& CodecName() const { return m_stream.CodecName(); }

    // What the load found about the file that did not keep it from loading
    // (bc::tLoadWarning bits); a save clears the checksum's part.
    quint32 LoadWarnings() const { return m_nLoadWarnings; }
    // The checksum convention the file follows, as read or last saved.
    bc::tChecksumConvention ChecksumConvention() const { return checksum.convention; }

    // The key events, sorted by time.
    const std::deque<tKeyEvent>& KeyEvents() const { return keyEvents.events; }
    // The only way events change: sorts and renumbers them, keeps the block map
    // in step, and marks the document modified.
    void SetKeyEvents(const std::deque<tKeyEvent>& events);
    // The same, with the span figures the events block holds: end-to-end loss
    // and return loss in 0.001 dB, both measured from the trace start to
    // `spanEnd` (file time units, 0.1 ns).
    void SetKeyEvents(const std::deque<tKeyEvent>& events, qint32 endToEndLoss, quint16 returnLoss, qint32 spanEnd);
    // Removes the event at `index` (list order). Returns false, changing
    // nothing, when there is no such event.
    bool DeleteKeyEvent(int index);
    // Gives the event at `index` a new comment, cut to the length the file
    // field holds. Returns false, changing nothing and leaving the document
    // unmodified, when there is no such event or the text is the same.
    bool SetKeyEventComment(int index, const QString& comment);
    // Link measurements of the key-events block.
    const bc::CKeyEvents& KeyEventsBlock() const { return keyEvents; }

    // The map's revision: 100 ... for version 1.0 files, 200, 210 ... for the
    // later layout, which is written back as it was read.
    quint16 FormatRevision() const { return map.nRevision; }
    bool IsLaterLayout() const { return map.bNamed; }
    // Bytes a vendor put after the known fields of a block, or after the last block.
    const QByteArray& TrailingBytes() const { return aTrailing; }

    // Instruments that save every wavelength of one test in one file write
    // one complete record (map and blocks) after another. The document is the
    // file's first record, the one shown, edited and saved; the records that
    // follow it stay in the bytes after its last block, written back as they
    // are. At most kMaxRecords are read; bytes that are no complete record
    // end the list and stay as they are.
    static constexpr int kMaxRecords = 16;
    // The records of the file, this one included: 1 where nothing follows.
    int RecordCount() const;
    // Record `index` (1 ... RecordCount() - 1) as a document of its own, or
    // null. It keeps the file's path, but is only read: its Save() and
    // Rename() are refused, as the file holds the other records too.
    QSharedPointer<CFile> Record(int index) const;
    // Which record of its file the document is: 0 for the first.
    int RecordIndex() const { return m_nRecordIndex; }

    // The file's block map and data-point groups, as read.
    const bc::CBlockMap& BlockMap() const { return map; }
    const bc::CDataPoints& DataPoints() const
    {
        EnsureTrace();
        return dataPoints;
    }

    // Metres per sample.
    double Resolution() const { return m_fResolution; }
    // Samples of the first data-point group.
    int PointCount() const { return m_bTraceReleased ? m_nReleasedCount : int(Samples().size()); }
    quint16 Point(int i) const { return Samples()[size_t(i)]; }
    const quint16* Points() const { return Samples().data(); }
    // Linearly interpolated value at `distance` metres (not negative); the last
    // sample at and beyond the end.
    quint16 ValueAt(float distance) const;
    quint16 MaxValue() const;
    // The outline of the first data-point group, kept while the samples are
    // let go (made from the samples read back where it was not made before).
    const CTraceOutline& Outline() const;
    // A digest of every sample of every group: it changes whenever the trace does.
    quint64 TraceDigest() const { return m_nTraceDigest; }
    // Lets the samples, and the raw blocks of other programs, go until they
    // are next used. Refused (false, nothing changes) while the document's
    // samples differ from those its file holds: they are then the only copy.
    // A document whose events alone were edited may let them go.
    bool ReleaseTrace();
    bool IsTraceReleased() const { return m_bTraceReleased; }
    // Metres.
    float Length() const { return float(PointCount() * m_fResolution); }
    // One-way time in ns to metres, and back.
    float TimeToDistance(float time) const;
    float DistanceToTime(float distance) const;

signals:
    void sigFileChanged(bool modified);
    // The events are about to change (the history takes its snapshot).
    void sigAboutToChange();

private:
    void Loaded(quint32 loadWarnings, quint32& warnings);
    void ComputeResolution();
    const std::vector<quint16>& Samples() const;
    // Reads the samples back when they were let go.
    void EnsureTrace() const;
    // The outline and digest of the samples in memory.
    void TraceChanged();
    // Refuses to write a document whose trace was lost.
    void RequireTrace() const;
    // Refuses to write over the file from a record that follows its first.
    void RequireFirstRecord() const;
    // Reads the records after the first from the trailing bytes, once.
    void ReadRecords() const;

    double m_fResolution = 0;
    quint32 m_nLoadWarnings = 0;
    bool m_bModified = false;
    QString m_sPath;
    bc::CFileStream m_stream;
    // Made when first asked for (a folder's files are loaded before their
    // cards are drawn, and most rows of a long list are never drawn); kept
    // when the samples go.
    mutable CTraceOutline m_outline;
    mutable bool m_bOutlineStale = true;
    quint64 m_nTraceDigest = 0;
    // The digest of the samples the file on disk holds, as loaded or saved.
    quint64 m_nFileDigest = 0;
    bool m_bTraceReleased = false;
    // The records after this one, read when first asked for.
    mutable std::vector<QSharedPointer<CFile>> m_records;
    mutable bool m_bRecordsRead = false;
    int m_nRecordIndex = 0;
    // The samples of the first group when they went.
    int m_nReleasedCount = 0;
    // The map entries whose raw bytes went with the samples, and their digest.
    std::vector<size_t> m_releasedBlocks;
    quint64 m_nBlocksDigest = 0;
    // Released blocks the file no longer held: Image() refuses, as Save() does.
    bool m_bBlocksLost = false;
};

} // namespace sor
