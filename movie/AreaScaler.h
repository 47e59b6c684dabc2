#pragma once
// Scales 32-bit pixel rows (blue, green, red, unused) by exact area averaging: every target
// pixel is the mean of the source area it covers. Text stays legible when a screen is shrunk
// to a movie frame, where sampling (the system's stretched drawing) drops whole strokes.
// Works a target row at a time and asks for source rows in non-decreasing order, so a caller
// can supply them a strip at a time.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

#include "movie/AreaWeights.h"

class AreaScaler {
public:
    // Returns source row `first`; rows first .. first + count - 1 follow it, each the source
    // stride further on, and stay readable until the next call.
    using SourceRows = std::function<const std::uint8_t*(int first, int count)>;

    AreaScaler(int sourceWidth, int sourceHeight, int targetWidth, int targetHeight);

    int SourceWidth() const { return horizontal_.SourceLength(); }
    int SourceHeight() const { return vertical_.SourceLength(); }
    int TargetWidth() const { return horizontal_.TargetLength(); }
    int TargetHeight() const { return vertical_.TargetLength(); }
    // Most source rows that one target row takes.
    int MaxRowsPerTargetRow() const { return vertical_.MaxCount(); }

    // Strides are the bytes from one row to the next one below it (negative for bottom-up
    // pictures). Writes TargetHeight rows from targetTop on; the unused byte of each target
    // pixel is set to 0.
    void Scale(const SourceRows& sourceRows, std::ptrdiff_t sourceStride, std::uint8_t* targetTop,
               std::ptrdiff_t targetStride);

    // The SSE2 code is used where the processor has it; tests switch it off to check the
    // plain code as well.
    static void AllowSse2(bool allowed) { sse2Allowed_ = allowed; }

private:
    void ScaleRowPlain(const std::uint8_t* rows, std::ptrdiff_t stride, const std::uint16_t* weights, int count,
                       std::uint8_t* target);
    void ScaleRowSse2(const std::uint8_t* rows, std::ptrdiff_t stride, const std::uint16_t* weights, int count,
                      std::uint8_t* target);

    static bool sse2Allowed_;

    AreaWeights horizontal_;
    AreaWeights vertical_;
    std::vector<std::uint32_t> columnSums_;
};
