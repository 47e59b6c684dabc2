#pragma once
// How much of each source pixel along one axis falls into each target pixel, when a line of
// `sourceLength` pixels is laid exactly over a line of `targetLength` pixels. Target pixel t
// covers source positions [t*s, (t+1)*s) with s = sourceLength / targetLength; a source pixel
// counts with the part of it that lies inside. The weights of one target pixel add up to
// exactly kOne, so a flat picture stays flat and the average is exact up to rounding.
#include <cstdint>
#include <vector>

class AreaWeights {
public:
    static constexpr std::uint32_t kShift = 12;
    static constexpr std::uint32_t kOne = 1u << kShift;

    AreaWeights() = default;
    AreaWeights(int sourceLength, int targetLength);

    int SourceLength() const { return sourceLength_; }
    int TargetLength() const { return targetLength_; }
    // Target pixel t takes Count(t) source pixels from First(t) on, with Weights(t)[0..].
    int First(int t) const { return first_[t]; }
    int Count(int t) const { return count_[t]; }
    const std::uint16_t* Weights(int t) const { return weights_.data() + offset_[t]; }
    // Most source pixels any target pixel takes.
    int MaxCount() const { return maxCount_; }

private:
    int sourceLength_ = 0;
    int targetLength_ = 0;
    int maxCount_ = 0;
    std::vector<int> first_, count_, offset_;
    std::vector<std::uint16_t> weights_;
};
