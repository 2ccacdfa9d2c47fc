#pragma once

#include <QByteArrayView>

#include <algorithm>
#include <bit>
#include <cstring>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace zk {

// Calls f(end) for each line end, CR or LF, in some bytes, front to back.
// They are found sixteen bytes at a time: lines are short, and a call to find
// each would cost more than reading the line. A CR LF pair is two ends, with
// an empty stretch between them.
template <typename F> void forEachLineEnd(QByteArrayView bytes, F &&f) {
    const char *const p = bytes.data();
    const qsizetype n = bytes.size();
    qsizetype i = 0;
#ifdef __SSE2__
    for (; i + 16 <= n; i += 16) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p + i));
        unsigned mask =
            unsigned(_mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(block, _mm_set1_epi8('\r')),
                                                    _mm_cmpeq_epi8(block, _mm_set1_epi8('\n')))));
        for (; mask != 0; mask &= mask - 1)
            f(i + std::countr_zero(mask));
    }
#endif
    for (; i < n; ++i) {
        if (p[i] == '\r' || p[i] == '\n')
            f(i);
    }
}

// The first CR or LF at or after `from`; the size when there is none.
inline qsizetype findLineEnd(QByteArrayView bytes, qsizetype from) {
    const char *const p = bytes.data();
    const qsizetype n = bytes.size();
    qsizetype i = from;
#ifdef __SSE2__
    for (; i + 16 <= n; i += 16) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p + i));
        const int mask =
            _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(block, _mm_set1_epi8('\r')),
                                           _mm_cmpeq_epi8(block, _mm_set1_epi8('\n'))));
        if (mask != 0)
            return i + std::countr_zero(unsigned(mask));
    }
#endif
    while (i < n && p[i] != '\r' && p[i] != '\n')
        ++i;
    return i;
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
