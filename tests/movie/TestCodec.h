#pragma once
// A small real video compressor, installed into this process for the tests: run-length
// packing of pixels, with delta frames (packed XOR against the previous frame) whenever
// that is smaller and the caller did not ask for a key frame. Variants that fail on
// purpose let the tests reach the writer's failure paths.
#include <windows.h>
#include <vfw.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace test_codec {

// Codes of the installed compressors.
constexpr DWORD kPacker = mmioFOURCC('t', 'p', 'k', '1');         // works
constexpr DWORD kFailsToStart = mmioFOURCC('t', 'p', 'k', 'b');   // refuses to begin a sequence
constexpr DWORD kFailsOnRed = mmioFOURCC('t', 'p', 'k', 'r');     // fails on frames starting with pure red
constexpr DWORD kFailsAfterOne = mmioFOURCC('t', 'p', 'k', 'x');  // fails on every frame after the first

// Names the compressors show in the system's dialogs.
std::string Description(DWORD code);

// Installs all variants (once per process).
void Install();

// What the compressors were asked, for the tests to check.
struct Calls {
    int compressed = 0;
    int keyFramesAsked = 0;
    std::vector<bool> asked;  // per compressed frame: was a key frame asked for
    // Runs at each frame, before it is compressed: lets a test act while compression runs.
    std::function<void()> onCompress;
    DWORD lastQuality = 0;
};
Calls& Observed();

// Unpacks one frame of `pixelBytes`-byte pixels; `previous` is the frame before (needed for
// delta frames). Returns false on malformed data.
bool Unpack(const std::uint8_t* data, std::size_t size, std::size_t frameBytes, int pixelBytes,
            const std::vector<std::uint8_t>& previous, std::vector<std::uint8_t>& frame, bool& key);

}  // namespace test_codec
