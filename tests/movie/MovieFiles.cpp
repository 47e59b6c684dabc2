#include "tests/movie/MovieFiles.h"

#include <gtest/gtest.h>

#include "tests/movie/DialogDriver.h"
#include "tests/support/TestEnvironment.h"

const char kFullFrames[] = "フル フレーム";
const char kChooserTitle[] = "ＡＶＩ圧縮方式選択";
const char kSaveOptionsTitle[] = "ビデオ圧縮";

Rgb BlockColour(int blockX, int blockY, int seed) {
    const unsigned h = unsigned(blockX * 73856093 ^ blockY * 19349663 ^ seed * 83492791);
    auto level = [](unsigned q) { return std::uint8_t((q << 3) | (q >> 2)); };
    return {level(h & 31), level((h >> 5) & 31), level((h >> 10) & 31)};
}

TestPicture BlockScreen(int seed) {
    return TestPicture(1024, 768, [seed](int x, int y) { return BlockColour(x / 32, y / 32, seed); });
}

std::function<void(HWND)> Choose(const std::string& entry) {
    return [entry](HWND dialog) {
        if (entry.empty()) {
            PressButton(dialog, IDCANCEL);
            return;
        }
        if (HWND combo = FindChild(dialog, "ComboBox"); combo && SelectComboEntry(combo, entry)) {
            PressButton(dialog, IDOK);
        } else {
            ADD_FAILURE() << "the dialog offers no " << Utf8(entry);
            PressButton(dialog, IDCANCEL);
        }
    };
}
