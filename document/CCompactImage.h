#pragma once

#include <QByteArray>
#include <QCoreApplication>

namespace sor {

// A file image held without its data-points block, for a history that keeps
// many images of one trace whose samples no edit changes: the block is taken
// again from an image of the document when the whole image is needed, and
// checked to be the one that was cut out.
class CCompactImage
{
    Q_DECLARE_TR_FUNCTIONS(CCompactImage)

public:
    CCompactImage() = default;
    // Cuts the data-points block out of `image` (an image without a readable
    // block map is kept whole).
    explicit CCompactImage(const QByteArray& image);

    // The whole image again, with the data-points block of `current` (an
    // image of the same document). Throws EFileAccessError when `current`
    // does not hold the samples that were cut out.
    QByteArray Expand(const QByteArray& current) const;
    // Bytes held.
    qsizetype Size() const { return m_bytes.size(); }
    // Whether both cut out the same data-points block.
    bool SameTrace(const CCompactImage& other) const
    {
        return m_nStart >= 0 && other.m_nStart >= 0 && m_nSize == other.m_nSize && m_nDigest == other.m_nDigest;
    }
    // The whole image as given, for a trace that is to be kept whole.
    static CCompactImage Whole(const QByteArray& image)
    {
        CCompactImage whole;
        whole.m_bytes = image;
        return whole;
    }

private:
    // Where the data-points block of `image` lies: false when not found.
    static bool FindTrace(const QByteArray& image, qint64& start, qint64& size);

    QByteArray m_bytes;
    // The block's place in the whole image and its digest; -1: kept whole.
    qint64 m_nStart = -1;
    qint64 m_nSize = 0;
    size_t m_nDigest = 0;
};

} // namespace sor
