#include "movie/AreaScaler.h"

namespace {
constexpr std::uint32_t kRound = 1u << (2 * AreaWeights::kShift - 1);

// sums[k] = weight * row[k] (first) or sums[k] += weight * row[k]: one source row's share of
// a target row, for every byte of the row.
void AccumulateRow(std::uint32_t* sums, const std::uint8_t* row, std::size_t bytes, std::uint32_t weight,
                   bool first) {
    if (first) {
        for (std::size_t k = 0; k < bytes; ++k) sums[k] = weight * row[k];
    } else {
        for (std::size_t k = 0; k < bytes; ++k) sums[k] += weight * row[k];
    }
}
}  // namespace

AreaScaler::AreaScaler(int sourceWidth, int sourceHeight, int targetWidth, int targetHeight)
    : horizontal_(sourceWidth, targetWidth),
      vertical_(sourceHeight, targetHeight),
      columnSums_(static_cast<std::size_t>(sourceWidth) * 4) {}

void AreaScaler::Scale(const SourceRow& sourceRow, std::uint8_t* targetTop, std::ptrdiff_t targetStride) {
    const std::size_t rowBytes = columnSums_.size();
    std::uint32_t* sums = columnSums_.data();
    for (int y = 0; y < TargetHeight(); ++y) {
        // Down the columns first: the sums stay in the cache while whole source rows stream by.
        const std::uint16_t* rowWeights = vertical_.Weights(y);
        for (int i = 0; i < vertical_.Count(y); ++i) {
            AccumulateRow(sums, sourceRow(vertical_.First(y) + i), rowBytes, rowWeights[i], i == 0);
        }
        // Then across: each target pixel from the column sums it covers. The weights of both
        // passes add up to kOne each, so the total is at most 255 * kOne * kOne < 2^32.
        std::uint8_t* out = targetTop + targetStride * y;
        for (int x = 0; x < TargetWidth(); ++x, out += 4) {
            const std::uint16_t* w = horizontal_.Weights(x);
            const std::uint32_t* column = sums + static_cast<std::size_t>(horizontal_.First(x)) * 4;
            std::uint32_t b = kRound, g = kRound, r = kRound;
            for (int i = 0; i < horizontal_.Count(x); ++i, column += 4) {
                b += w[i] * column[0];
                g += w[i] * column[1];
                r += w[i] * column[2];
            }
            out[0] = static_cast<std::uint8_t>(b >> (2 * AreaWeights::kShift));
            out[1] = static_cast<std::uint8_t>(g >> (2 * AreaWeights::kShift));
            out[2] = static_cast<std::uint8_t>(r >> (2 * AreaWeights::kShift));
            out[3] = 0;
        }
    }
}
