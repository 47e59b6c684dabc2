#include "movie/AreaWeights.h"

#include <algorithm>

AreaWeights::AreaWeights(int sourceLength, int targetLength)
    : sourceLength_(sourceLength), targetLength_(targetLength) {
    first_.resize(targetLength);
    count_.resize(targetLength);
    offset_.resize(targetLength);
    // Positions are counted in units of 1/targetLength of a source pixel, so every boundary
    // is an integer: source pixel i spans [i*T, (i+1)*T), target pixel t spans [t*S, (t+1)*S).
    const std::int64_t S = sourceLength, T = targetLength;
    for (int t = 0; t < targetLength; ++t) {
        const std::int64_t begin = t * S, end = begin + S;
        const int first = static_cast<int>(begin / T);
        const int last = static_cast<int>((end - 1) / T);
        first_[t] = first;
        count_[t] = last - first + 1;
        offset_[t] = static_cast<int>(weights_.size());
        maxCount_ = std::max(maxCount_, count_[t]);

        // Each share is rounded on its own; what rounding lost or gained goes to the
        // largest share, where it matters least.
        std::uint32_t total = 0;
        std::size_t largest = weights_.size();
        std::int64_t largestOverlap = -1;
        for (int i = first; i <= last; ++i) {
            const std::int64_t overlap = std::min(end, (i + 1) * T) - std::max(begin, i * T);
            const auto weight = static_cast<std::uint16_t>((overlap * kOne + S / 2) / S);
            if (overlap > largestOverlap) {
                largestOverlap = overlap;
                largest = weights_.size();
            }
            weights_.push_back(weight);
            total += weight;
        }
        weights_[largest] = static_cast<std::uint16_t>(weights_[largest] + kOne - total);
    }
}
