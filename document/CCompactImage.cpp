#include "CCompactImage.h"

#include <CBellcore.h>
#include <CFileStream.h>
#include <Exception.h>

#include <QHash>

namespace sor {

CCompactImage::CCompactImage(const QByteArray& image) : m_bytes(image)
{
    qint64 start = 0;
    qint64 size = 0;
    if (!FindTrace(image, start, size))
        return;
    m_nStart = start;
    m_nSize = size;
    m_nDigest = qHashBits(image.constData() + start, size_t(size));
    m_bytes = image.left(start) + image.mid(start + size);
}

QByteArray CCompactImage::Expand(const QByteArray& current) const
{
    if (m_nStart < 0)
        return m_bytes;
    qint64 start = 0;
    qint64 size = 0;
    if (!FindTrace(current, start, size) || size != m_nSize
        || qHashBits(current.constData() + start, size_t(size)) != m_nDigest) {
        EFileAccessError failure(Exception::ModuleBlocks, __LINE__);
        failure.SetCause(tr("the trace is no longer the one of this step; reload the file"));
        throw failure;
    }
    QByteArray whole;
    whole.reserve(m_bytes.size() + size);
    whole.append(m_bytes.constData(), m_nStart);
    whole.append(current.constData() + start, size);
    whole.append(m_bytes.constData() + m_nStart, m_bytes.size() - m_nStart);
    return whole;
}

bool CCompactImage::FindTrace(const QByteArray& image, qint64& start, qint64& size)
{
    bc::CBlockMap map;
    try {
        bc::CFileStream stream(QString{});
        stream.LoadFromData(map, image);
    } catch (const Exception&) {
        return false;
    }
    // Blocks follow the map in its order, each of its stated size.
    qint64 offset = map.nSize;
    for (const bc::CBlockInfo& entry : map.entries) {
        if (entry.sName == bc::BlockName::DataPoints) {
            start = offset;
            size = entry.nSize;
            return start >= 0 && size > 0 && start + size <= image.size();
        }
        offset += entry.nSize;
    }
    return false;
}

} // namespace sor
