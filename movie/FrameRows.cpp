#include "movie/FrameRows.h"

#include <array>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {
// Readers widen a 5-bit level q to (q << 3) | (q >> 2); each 8-bit value gets the level
// that widens closest to it, which halves the error of simply dropping the low bits.
const std::array<std::uint16_t, 256>& FiveBitLevels() {
    static const std::array<std::uint16_t, 256> levels = [] {
        std::array<std::uint16_t, 256> table{};
        for (int v = 0; v < 256; ++v) {
            int best = 0;
            for (int q = 1; q < 32; ++q) {
                if (std::abs(v - ((q << 3) | (q >> 2))) < std::abs(v - ((best << 3) | (best >> 2)))) best = q;
            }
            table[v] = static_cast<std::uint16_t>(best);
        }
        return table;
    }();
    return levels;
}
}  // namespace

std::size_t FrameBytes(int width, int height, int bitDepth) {
    return (static_cast<std::size_t>(width) * bitDepth + 31) / 32 * 4 * static_cast<std::size_t>(height);
}

void StoreFrameRows(const DibSection& picture, int bitDepth, BYTE* frame) {
    const int width = picture.Width(), height = picture.Height();
    const std::size_t stride = FrameBytes(width, 1, bitDepth);
    const auto& levels = FiveBitLevels();
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* in = picture.Row(y);
        BYTE* out = frame + stride * static_cast<std::size_t>(height - 1 - y);
        BYTE* end = out + stride;
        if (bitDepth == 16) {
            for (int x = 0; x < width; ++x, in += 4, out += 2) {
                const unsigned value = levels[in[2]] << 10 | levels[in[1]] << 5 | levels[in[0]];
                out[0] = static_cast<BYTE>(value);
                out[1] = static_cast<BYTE>(value >> 8);
            }
        } else {
            for (int x = 0; x < width; ++x, in += 4, out += 3) {
                out[0] = in[0];
                out[1] = in[1];
                out[2] = in[2];
            }
        }
        std::memset(out, 0, static_cast<std::size_t>(end - out));
    }
}
