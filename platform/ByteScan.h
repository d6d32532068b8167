// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace quillery {

// The first byte from p on that is one of the Stops or, with NonAscii, beyond ASCII; end
// when there is none. Text runs are long, so sixteen bytes are looked at a time.
template <bool NonAscii, char... Stops> const char *findStop(const char *p, const char *end)
{
#if defined(__SSE2__)
    for (; end - p >= 16; p += 16) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p));
        const __m128i found = ((NonAscii ? block : _mm_setzero_si128()) | ... |
                               _mm_cmpeq_epi8(block, _mm_set1_epi8(Stops)));
        if (const int mask = _mm_movemask_epi8(found))
            return p + __builtin_ctz(unsigned(mask));
    }
#endif
    while (p < end && !(NonAscii && static_cast<unsigned char>(*p) >= 0x80) &&
           ((*p != Stops) && ...))
        ++p;
    return p;
}

// The first place from p on where c comes twice in a row; end when there is none.
inline const char *findPair(const char *p, const char *end, char c)
{
#if defined(__SSE2__)
    const __m128i wanted = _mm_set1_epi8(c);
    for (; end - p >= 17; p += 16) {
        const __m128i here = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p));
        const __m128i next = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p + 1));
        const __m128i both =
            _mm_and_si128(_mm_cmpeq_epi8(here, wanted), _mm_cmpeq_epi8(next, wanted));
        if (const int mask = _mm_movemask_epi8(both))
            return p + __builtin_ctz(unsigned(mask));
    }
#endif
    for (; end - p >= 2; ++p) {
        if (p[0] == c && p[1] == c)
            return p;
    }
    return end;
}

} // namespace quillery
