#pragma once
// Scales 32-bit pixel rows (blue, green, red, unused) by exact area averaging: every target
// pixel is the mean of the source area it covers. Text stays legible when a screen is shrunk
// to a movie frame, where sampling (the system's stretched drawing) drops whole strokes.
// Works row by row: the source rows are asked for in non-decreasing order, so a caller can
// supply them a strip at a time.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

#include "movie/AreaWeights.h"

class AreaScaler {
public:
    using SourceRow = std::function<const std::uint8_t*(int row)>;

    AreaScaler(int sourceWidth, int sourceHeight, int targetWidth, int targetHeight);

    int SourceWidth() const { return horizontal_.SourceLength(); }
    int SourceHeight() const { return vertical_.SourceLength(); }
    int TargetWidth() const { return horizontal_.TargetLength(); }
    int TargetHeight() const { return vertical_.TargetLength(); }
    // Most source rows that one target row takes.
    int MaxRowsPerTargetRow() const { return vertical_.MaxCount(); }

    // Writes TargetHeight rows from targetTop on, `targetStride` bytes apart (negative for a
    // bottom-up picture). The unused byte of each target pixel is set to 0.
    void Scale(const SourceRow& sourceRow, std::uint8_t* targetTop, std::ptrdiff_t targetStride);

private:
    AreaWeights horizontal_;
    AreaWeights vertical_;
    std::vector<std::uint32_t> columnSums_;
};
