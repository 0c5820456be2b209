#pragma once

#include <QByteArray>

class CJsonWriter;

namespace sor {
class CFile;
}

// The whole content of a loaded trace file as one JSON object: the load
// warnings, the block map, every field of the blocks the map lists (in program
// units, as the typed values hold them), the data-point groups and what the
// document derives from them. Blocks the map does not list are left out.
class CJsonDump
{
public:
    // `file` is not owned and must outlive the dump.
    CJsonDump(const sor::CFile& file, quint32 warnings);

    // With `withPoints`, every group also lists its held samples.
    QByteArray Text(bool withPoints) const;

private:
    bool Lists(const char* blockName) const;
    void WriteMap(CJsonWriter& json) const;
    void WriteGeneral(CJsonWriter& json) const;
    void WriteSupplier(CJsonWriter& json) const;
    void WriteFixed(CJsonWriter& json) const;
    void WriteKeyEvents(CJsonWriter& json) const;
    void WriteDataPoints(CJsonWriter& json, bool withPoints) const;
    void WriteTrace(CJsonWriter& json) const;

    const sor::CFile& m_file;
    quint32 m_warnings;
};
