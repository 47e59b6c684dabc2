#include "movie/AreaScaler.h"

#include <windows.h>
#include <emmintrin.h>

#include <cstring>

namespace {
constexpr unsigned kShift = AreaWeights::kShift;

bool HasSse2() {
    // Every processor Wine or Windows 7 runs on has it; the plain code is for the rest.
    static const bool present = ::IsProcessorFeaturePresent(PF_XMMI64_INSTRUCTIONS_AVAILABLE) != FALSE;
    return present;
}
}  // namespace

bool AreaScaler::sse2Allowed_ = true;

AreaScaler::AreaScaler(int sourceWidth, int sourceHeight, int targetWidth, int targetHeight)
    : horizontal_(sourceWidth, targetWidth),
      vertical_(sourceHeight, targetHeight),
      columnSums_(static_cast<std::size_t>(sourceWidth) * 4 + 8) {}

void AreaScaler::Scale(const SourceRows& sourceRows, std::ptrdiff_t sourceStride, std::uint8_t* targetTop,
                       std::ptrdiff_t targetStride) {
    const bool sse2 = sse2Allowed_ && HasSse2();
    for (int y = 0; y < TargetHeight(); ++y) {
        // Down the columns first, then across: the column sums of one target row stay in
        // the cache while whole source rows stream by once.
        const std::uint8_t* rows = sourceRows(vertical_.First(y), vertical_.Count(y));
        std::uint8_t* target = targetTop + targetStride * y;
        if (sse2) {
            ScaleRowSse2(rows, sourceStride, vertical_.Weights(y), vertical_.Count(y), target);
        } else {
            ScaleRowPlain(rows, sourceStride, vertical_.Weights(y), vertical_.Count(y), target);
        }
    }
}

void AreaScaler::ScaleRowPlain(const std::uint8_t* rows, std::ptrdiff_t stride, const std::uint16_t* weights, int count,
                               std::uint8_t* target) {
    const std::size_t bytes = static_cast<std::size_t>(SourceWidth()) * 4;
    std::uint32_t* sums = columnSums_.data();
    for (std::size_t k = 0; k < bytes; ++k) sums[k] = weights[0] * rows[k];
    for (int i = 1; i < count; ++i) {
        const std::uint8_t* row = rows + stride * i;
        for (std::size_t k = 0; k < bytes; ++k) sums[k] += weights[i] * row[k];
    }
    // Both passes' weights add up to kOne, so a total is at most 255 * kOne * kOne < 2^32.
    constexpr std::uint32_t round = 1u << (2 * kShift - 1);
    for (int x = 0; x < TargetWidth(); ++x, target += 4) {
        const std::uint16_t* w = horizontal_.Weights(x);
        const std::uint32_t* column = sums + static_cast<std::size_t>(horizontal_.First(x)) * 4;
        std::uint32_t b = round, g = round, r = round;
        for (int i = 0; i < horizontal_.Count(x); ++i, column += 4) {
            b += w[i] * column[0];
            g += w[i] * column[1];
            r += w[i] * column[2];
        }
        target[0] = static_cast<std::uint8_t>(b >> (2 * kShift));
        target[1] = static_cast<std::uint8_t>(g >> (2 * kShift));
        target[2] = static_cast<std::uint8_t>(r >> (2 * kShift));
        target[3] = 0;
    }
}

// The same with SSE2 multiply-adds (pmaddwd), which take two 16-bit products at once: down
// the columns, the bytes of two rows are interleaved and meet their two weights; across, the
// column sums of two source pixels meet theirs. Between the passes the column sums drop 5 of
// their 20 fraction bits, so they fit 16-bit lanes (255 * kOne / 32 = 32640).
__attribute__((target("sse2"), force_align_arg_pointer)) void AreaScaler::ScaleRowSse2(
    const std::uint8_t* rows, std::ptrdiff_t stride, const std::uint16_t* weights, int count, std::uint8_t* target) {
    constexpr int kDrop = 5;
    const std::size_t bytes = static_cast<std::size_t>(SourceWidth()) * 4;
    auto* sums = reinterpret_cast<std::int16_t*>(columnSums_.data());
    const __m128i zero = _mm_setzero_si128();

    std::size_t k = 0;
    for (; k + 16 <= bytes; k += 16) {
        __m128i s0 = zero, s1 = zero, s2 = zero, s3 = zero;
        for (int i = 0; i < count; i += 2) {
            const bool pair = i + 1 < count;
            const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(rows + stride * i + k));
            const __m128i b =
                pair ? _mm_loadu_si128(reinterpret_cast<const __m128i*>(rows + stride * (i + 1) + k)) : zero;
            const __m128i w = _mm_set1_epi32(int(weights[i] | (pair ? std::uint32_t(weights[i + 1]) << 16 : 0u)));
            const __m128i aLow = _mm_unpacklo_epi8(a, zero), aHigh = _mm_unpackhi_epi8(a, zero);
            const __m128i bLow = _mm_unpacklo_epi8(b, zero), bHigh = _mm_unpackhi_epi8(b, zero);
            s0 = _mm_add_epi32(s0, _mm_madd_epi16(_mm_unpacklo_epi16(aLow, bLow), w));
            s1 = _mm_add_epi32(s1, _mm_madd_epi16(_mm_unpackhi_epi16(aLow, bLow), w));
            s2 = _mm_add_epi32(s2, _mm_madd_epi16(_mm_unpacklo_epi16(aHigh, bHigh), w));
            s3 = _mm_add_epi32(s3, _mm_madd_epi16(_mm_unpackhi_epi16(aHigh, bHigh), w));
        }
        const __m128i low = _mm_packs_epi32(_mm_srli_epi32(s0, kDrop), _mm_srli_epi32(s1, kDrop));
        const __m128i high = _mm_packs_epi32(_mm_srli_epi32(s2, kDrop), _mm_srli_epi32(s3, kDrop));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(sums + k), low);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(sums + k + 8), high);
    }
    for (; k < bytes; ++k) {
        std::uint32_t sum = 0;
        for (int i = 0; i < count; ++i) sum += weights[i] * rows[stride * i + k];
        sums[k] = static_cast<std::int16_t>(sum >> kDrop);
    }
    // One pixel's four sums past the last source pixel: the odd tap of a pair reads them
    // with weight 0.
    for (std::size_t pad = 0; pad < 4; ++pad) sums[bytes + pad] = 0;

    const __m128i round = _mm_set1_epi32(1 << (2 * kShift - kDrop - 1));
    const __m128i unusedByte = _mm_set1_epi32(0x00FFFFFF);
    for (int x = 0; x < TargetWidth(); ++x, target += 4) {
        const std::uint16_t* w = horizontal_.Weights(x);
        const std::int16_t* column = sums + static_cast<std::size_t>(horizontal_.First(x)) * 4;
        const int taps = horizontal_.Count(x);
        __m128i total = round;
        for (int i = 0; i < taps; i += 2, column += 8) {
            const bool pair = i + 1 < taps;
            const __m128i a = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(column));
            const __m128i b = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(column + 4));
            const __m128i weight = _mm_set1_epi32(int(w[i] | (pair ? std::uint32_t(w[i + 1]) << 16 : 0u)));
            total = _mm_add_epi32(total, _mm_madd_epi16(_mm_unpacklo_epi16(a, b), weight));
        }
        const __m128i pixel = _mm_srli_epi32(total, 2 * kShift - kDrop);
        const __m128i bytes8 = _mm_packus_epi16(_mm_packs_epi32(pixel, zero), zero);
        const int value = _mm_cvtsi128_si32(_mm_and_si128(bytes8, unusedByte));
        std::memcpy(target, &value, 4);
    }
}
