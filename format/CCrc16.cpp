#include "CCrc16.h"

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#define LUMETRIX_CRC_CLMUL 1
#include <immintrin.h>
#endif

namespace {

constexpr quint32 kPolynomial = 0x11021; // x^16 + x^12 + x^5 + 1

// kTables[k][b]: the register contribution of byte b followed by k zero bytes.
struct tTables
{
    quint16 t[8][256];

    tTables()
    {
        for (int b = 0; b < 256; ++b) {
            quint16 crc = quint16(b << 8);
            for (int bit = 0; bit < 8; ++bit)
                crc = (crc & 0x8000) ? quint16((crc << 1) ^ 0x1021) : quint16(crc << 1);
            t[0][b] = crc;
        }
        for (int k = 1; k < 8; ++k) {
            for (int b = 0; b < 256; ++b)
                t[k][b] = quint16((t[k - 1][b] << 8) ^ t[0][t[k - 1][b] >> 8]);
        }
    }
};

const tTables kTables;

quint16 UpdateTables(quint16 crc, const uchar* p, qint64 count)
{
    const auto& t = kTables.t;
    for (; count >= 8; count -= 8, p += 8) {
        crc = quint16(t[7][p[0] ^ (crc >> 8)] ^ t[6][p[1] ^ (crc & 0xFF)] ^ t[5][p[2]] ^ t[4][p[3]] ^ t[3][p[4]]
            ^ t[2][p[5]] ^ t[1][p[6]] ^ t[0][p[7]]);
    }
    for (; count > 0; --count, ++p)
        crc = quint16((crc << 8) ^ t[0][(crc >> 8) ^ *p]);
    return crc;
}

#ifdef LUMETRIX_CRC_CLMUL

// x^n mod P, a polynomial of degree below 16.
quint64 PowerModP(int n)
{
    quint32 r = 1;
    for (int i = 0; i < n; ++i) {
        r <<= 1;
        if (r & 0x10000)
            r ^= kPolynomial;
    }
    return r;
}

// Folding constants: a 128-bit block A (halves Ahi, Alo) moved n bits further
// on is Ahi * x^(n+64) + Alo * x^n, and both powers are replaced by their
// remainders mod P, which keeps the running value below 128 bits.
struct tFoldConstants
{
    __m128i by128; // (x^192 mod P, x^128 mod P)
    __m128i by512; // (x^576 mod P, x^512 mod P)

    tFoldConstants()
    {
        by128 = _mm_set_epi64x(qint64(PowerModP(192)), qint64(PowerModP(128)));
        by512 = _mm_set_epi64x(qint64(PowerModP(576)), qint64(PowerModP(512)));
    }
};

__attribute__((target("pclmul,ssse3"))) inline __m128i Fold(__m128i value, __m128i constants)
{
    const __m128i high = _mm_clmulepi64_si128(value, constants, 0x11);
    const __m128i low = _mm_clmulepi64_si128(value, constants, 0x00);
    return _mm_xor_si128(high, low);
}

// Sixteen message bytes as a 128-bit polynomial, first byte most significant.
__attribute__((target("pclmul,ssse3"))) inline __m128i Load(const uchar* p, __m128i reverse)
{
    return _mm_shuffle_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p)), reverse);
}

__attribute__((target("pclmul,ssse3"))) quint16 UpdateClmul(quint16 crc, const uchar* p, qint64 count)
{
    static const tFoldConstants k;
    const __m128i reverse = _mm_set_epi8(0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15);

    // The running register enters as the top 16 bits of the first block.
    const __m128i start = _mm_set_epi64x(qint64(quint64(crc) << 48), 0);
    __m128i a0 = _mm_xor_si128(Load(p, reverse), start);
    p += 16;
    count -= 16;
    if (count >= 48) {
        // Four independent lanes hide the multiplier's latency.
        __m128i a1 = Load(p, reverse);
        __m128i a2 = Load(p + 16, reverse);
        __m128i a3 = Load(p + 32, reverse);
        p += 48;
        count -= 48;
        for (; count >= 64; count -= 64, p += 64) {
            a0 = _mm_xor_si128(Fold(a0, k.by512), Load(p, reverse));
            a1 = _mm_xor_si128(Fold(a1, k.by512), Load(p + 16, reverse));
            a2 = _mm_xor_si128(Fold(a2, k.by512), Load(p + 32, reverse));
            a3 = _mm_xor_si128(Fold(a3, k.by512), Load(p + 48, reverse));
        }
        a0 = _mm_xor_si128(Fold(a0, k.by128), a1);
        a0 = _mm_xor_si128(Fold(a0, k.by128), a2);
        a0 = _mm_xor_si128(Fold(a0, k.by128), a3);
    }
    for (; count >= 16; count -= 16, p += 16)
        a0 = _mm_xor_si128(Fold(a0, k.by128), Load(p, reverse));

    // The remainder of the folded value: its sixteen bytes through the tables
    // from a zero register, then the bytes that did not fill a block.
    alignas(16) uchar folded[16];
    _mm_store_si128(reinterpret_cast<__m128i*>(folded), _mm_shuffle_epi8(a0, reverse));
    return UpdateTables(UpdateTables(0, folded, 16), p, count);
}

bool HaveClmul()
{
    static const bool have = __builtin_cpu_supports("pclmul") && __builtin_cpu_supports("ssse3");
    return have;
}

#endif

} // namespace

quint16 CCrc16::Compute(const char* data, qint64 count)
{
    return Update(0xFFFF, data, count);
}

quint16 CCrc16::Update(quint16 crc, const char* data, qint64 count)
{
    const auto* p = reinterpret_cast<const uchar*>(data);
#ifdef LUMETRIX_CRC_CLMUL
    if (count >= 64 && HaveClmul())
        return UpdateClmul(crc, p, count);
#endif
    return UpdateTables(crc, p, count);
}

quint16 CCrc16::Reference(const char* data, qint64 count)
{
    quint16 crc = 0xFFFF;
    for (qint64 i = 0; i < count; ++i) {
        crc ^= quint16(uchar(data[i]) << 8);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 0x8000) ? quint16((crc << 1) ^ 0x1021) : quint16(crc << 1);
    }
    return crc;
}
