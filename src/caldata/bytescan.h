#pragma once

#include <QByteArrayView>

#include <algorithm>
#include <bit>
#include <cstring>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace zk {

// The places of the line ends, CR and LF, in some bytes, front to back,
// found sixteen bytes at a time: lines are short, and a call to find each
// would cost more than reading the line. A CR LF pair is two ends, with an
// empty stretch between them.
class LineEnds {
public:
    explicit LineEnds(QByteArrayView bytes)
        : m_p(bytes.data())
        , m_n(bytes.size()) {}

    // The next CR or LF; the size of the bytes when none is left.
    qsizetype next() {
        while (m_mask == 0) {
            if (m_block >= m_n)
                return m_n;
            m_base = m_block;
            m_mask = endsIn(m_p + m_block, std::min<qsizetype>(16, m_n - m_block));
            m_block += 16;
        }
        const int k = std::countr_zero(m_mask);
        m_mask &= m_mask - 1;
        return m_base + k;
    }

private:
    // One bit for each line end among `size` (at most 16) bytes.
    static unsigned endsIn(const char *p, qsizetype size) {
#ifdef __SSE2__
        if (size == 16) {
            const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p));
            return unsigned(
                _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(block, _mm_set1_epi8('\r')),
                                               _mm_cmpeq_epi8(block, _mm_set1_epi8('\n')))));
        }
#endif
        unsigned mask = 0;
        for (qsizetype i = 0; i < size; ++i)
            mask |= unsigned(p[i] == '\r' || p[i] == '\n') << i;
        return mask;
    }

    const char *m_p;
    qsizetype m_n;
    qsizetype m_block = 0; // the start of the next block to look at
    qsizetype m_base = 0;  // the start of the block the mask is of
    unsigned m_mask = 0;   // the ends in that block not yet told
};

// The first CR or LF at or after `from`; the size when there is none.
inline qsizetype findLineEnd(QByteArrayView bytes, qsizetype from) {
    return from + LineEnds(bytes.sliced(from)).next();
}

// Finds a text in bytes. Two of the text's bytes, its last one and the least
// common of the others, are compared at sixteen places at a time, and the
// whole text only where both agree: the bytes of table text are far from
// evenly spread (most characters start with 0x82 or 0x83), and a text's
// first byte alone would stop at every kana.
class TextFinder {
public:
    explicit TextFinder(QByteArrayView text)
        : m_text(text) {
        const qsizetype last = text.size() - 1;
        for (qsizetype i = 1; i < last; ++i) {
            if (commonness(uchar(text[i])) < commonness(uchar(text[m_other])))
                m_other = i;
        }
    }

    // Where the text next starts at or after `from`; -1 when nowhere (also
    // for an empty text).
    qsizetype find(QByteArrayView bytes, qsizetype from) const {
        const qsizetype m = m_text.size();
        const char *const p = bytes.data();
        const qsizetype n = bytes.size();
        if (m == 0 || n - from < m)
            return -1;
        qsizetype i = from;
#ifdef __SSE2__
        const __m128i other = _mm_set1_epi8(m_text[m_other]);
        const __m128i last = _mm_set1_epi8(m_text[m - 1]);
        for (; i + 15 + m <= n; i += 16) {
            const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p + i + m_other));
            const __m128i y = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p + i + m - 1));
            unsigned mask = unsigned(_mm_movemask_epi8(
                _mm_and_si128(_mm_cmpeq_epi8(x, other), _mm_cmpeq_epi8(y, last))));
            for (; mask != 0; mask &= mask - 1) {
                const qsizetype at = i + std::countr_zero(mask);
                if (std::memcmp(p + at, m_text.data(), size_t(m)) == 0)
                    return at;
            }
        }
        if (n - i < m)
            return -1;
#endif
        const void *hit = memmem(p + i, size_t(n - i), m_text.data(), size_t(m));
        return hit ? static_cast<const char *>(hit) - p : -1;
    }

private:
    // Roughly how often a byte stands in table text: the lead bytes of kana
    // and of symbols, then ASCII digits, spaces and marks; letters and the
    // other bytes of double-byte characters least.
    static int commonness(uchar c) {
        if (c >= 0x81 && c <= 0x83)
            return 3;
        if (c < 0x80 && !((c | 0x20) >= 'a' && (c | 0x20) <= 'z'))
            return 2;
        return 1;
    }

    QByteArrayView m_text;
    qsizetype m_other = 0; // where the other byte compared stands in the text
};

} // namespace zk
