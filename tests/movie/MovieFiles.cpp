#include "tests/movie/MovieFiles.h"

#include <gtest/gtest.h>

#include <sstream>

#include "tests/movie/DialogDriver.h"
#include "tests/support/TestEnvironment.h"

const char kFullFrames[] = "フル フレーム";
const char kChooserTitle[] = "ＡＶＩ圧縮方式選択";
const char kSaveOptionsTitle[] = "ビデオ圧縮";

Rgb BlockColour(int blockX, int blockY, int seed) {
    const unsigned h = unsigned(blockX * 73856093 ^ blockY * 19349663 ^ seed * 83492791);
    return {std::uint8_t((h & 31) * 8), std::uint8_t(((h >> 5) & 31) * 8), std::uint8_t(((h >> 10) & 31) * 8)};
}

TestPicture BlockScreen(int seed) {
    return TestPicture(1024, 768, [seed](int x, int y) { return BlockColour(x / 32, y / 32, seed); });
}

std::map<std::string, std::string> ProbeStream(const std::string& path) {
    const std::string output = HostCommandOutput(
        "ffprobe -v error -count_frames -select_streams v:0 -show_entries "
        "stream=codec_type,codec_name,codec_tag_string,width,height,pix_fmt,r_frame_rate,nb_frames,nb_read_frames:"
        "stream_tags=title -of default=noprint_wrappers=1 '" +
        UnixPath(path) + "'");
    std::map<std::string, std::string> values;
    std::istringstream lines(output);
    for (std::string line; std::getline(lines, line);) {
        const auto equals = line.find('=');
        if (equals != std::string::npos) values[line.substr(0, equals)] = line.substr(equals + 1);
    }
    // Streams counted by ffprobe itself; the test reads its own.
    if (values.empty()) values["error"] = output;
    return values;
}

std::string DecodeRgb(const std::string& path) {
    return HostCommandOutput("ffmpeg -v error -i '" + UnixPath(path) + "' -f rawvideo -pix_fmt rgb24 -");
}

int Widen5(int value8) {
    const int v = value8 >> 3;
    return (v << 3) | (v >> 2);
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
