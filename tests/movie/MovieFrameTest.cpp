#include <gtest/gtest.h>

#include <cstring>

#include "movie/AreaStretcher.h"
#include "movie/FrameCapture.h"
#include "movie/TMovieFrame.h"
#include "tests/movie/TestPicture.h"
#include "tests/support/TestEnvironment.h"
#include "toolkit/BmpFile.h"
#include "toolkit/Exception.h"

namespace {
// The colour of pixel (x, y) of every test bitmap, at 5-6-5 precision so each format holds it.
Rgb Expected(int x, int y) {
    return {std::uint8_t((x * 37 + y) & 0xF8), std::uint8_t((y * 11) & 0xFC), std::uint8_t((x ^ y) & 0xF8)};
}

// A bitmap file of that format, rows bottom-up or top-down.
void WriteTestBmp(const std::string& path, int width, int height, int bits, DWORD compression, bool topDown) {
    DibPixels dib;
    dib.header =
        BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), width, topDown ? -height : height, 1, WORD(bits), compression};
    if (compression == BI_BITFIELDS) {
        const DWORD masks[3] = {bits == 16 ? 0xF800u : 0xFF0000u, bits == 16 ? 0x07E0u : 0xFF00u,
                                bits == 16 ? 0x001Fu : 0xFFu};
        dib.colours.resize(3);
        std::memcpy(dib.colours.data(), masks, sizeof masks);
    }
    const std::size_t stride = DibPixels::StrideOf(width, bits);
    dib.rows.assign(stride * height, 0);
    for (int y = 0; y < height; ++y) {
        BYTE* row = &dib.rows[stride * (topDown ? y : height - 1 - y)];
        for (int x = 0; x < width; ++x) {
            const Rgb c = Expected(x, y);
            if (bits == 16) {
                const unsigned v = (c.r >> 3) << 11 | (c.g >> 2) << 5 | c.b >> 3;
                row[2 * x] = BYTE(v);
                row[2 * x + 1] = BYTE(v >> 8);
            } else {
                BYTE* p = row + x * (bits / 8);
                p[0] = c.b;
                p[1] = c.g;
                p[2] = c.r;
            }
        }
    }
    WriteBmpFile(dib, path);
}

// 5- and 6-bit channels come back widened, as the system converts them.
Rgb AsStored(Rgb c, int bits) {
    if (bits != 16) return c;
    auto widen5 = [](int v) { return std::uint8_t((v & 0xF8) | (v >> 5)); };
    return {widen5(c.r), std::uint8_t((c.g & 0xFC) | (c.g >> 6)), widen5(c.b)};
}

void ExpectPixels(const TMovieFrame& frame, int width, int height, int bits, const std::string& what) {
    ASSERT_FALSE(frame.Empty()) << what;
    ASSERT_EQ(frame.Width(), width) << what;
    ASSERT_EQ(frame.Height(), height) << what;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const std::uint8_t* p = frame.Pixels32().Row(y) + 4 * x;
            const Rgb c = AsStored(Expected(x, y), bits);
            ASSERT_EQ(std::vector<int>({p[2], p[1], p[0]}), std::vector<int>({c.r, c.g, c.b}))
                << what << " at " << x << "," << y;
        }
    }
}
}  // namespace

TEST(MovieFrame, ReadsTheBitmapsTheGrabberWritesAndAnyOtherUncompressedOne) {
    TempFolder folder;
    struct Case {
        int width, height, bits;
        DWORD compression;
        bool topDown;
        const char* what;
    };
    // One frame for all, as when a movie is assembled: sizes and formats change under it.
    TMovieFrame frame;
    for (Case c : std::vector<Case>{{64, 48, 32, BI_RGB, false, "32-bit"},
                                    {64, 48, 32, BI_RGB, true, "32-bit top-down"},
                                    {33, 9, 32, BI_BITFIELDS, false, "32-bit with masks"},
                                    {33, 9, 24, BI_RGB, false, "24-bit"},
                                    {31, 7, 16, BI_BITFIELDS, false, "16-bit 5-6-5"},
                                    {64, 48, 32, BI_RGB, false, "32-bit again"}}) {
        const std::string path = folder / "1.bmp";
        WriteTestBmp(path, c.width, c.height, c.bits, c.compression, c.topDown);
        frame.LoadFromFile(path);
        ExpectPixels(frame, c.width, c.height, c.bits, c.what);
    }
    frame.Clear();
    EXPECT_TRUE(frame.Empty());
}

TEST(MovieFrame, MissingTruncatedOrForeignFilesRaiseAndLeaveTheFrameEmpty) {
    TempFolder folder;
    const std::string good = folder / "good.bmp";
    WriteTestBmp(good, 64, 48, 32, BI_RGB, false);
    const std::string bytes = ReadFileBytes(good);
    auto patched = [&](std::size_t at, std::uint32_t value) {
        std::string copy = bytes;
        std::memcpy(copy.data() + at, &value, 4);
        return copy;
    };
    struct Case {
        const char* what;
        std::string content;
    };
    const std::vector<Case> cases = {
        {"empty", ""},
        {"a header only", bytes.substr(0, 20)},
        {"cut in the pixels", bytes.substr(0, bytes.size() - 1)},
        {"cut after the headers", bytes.substr(0, 54)},
        {"text", "this is not a bitmap at all, but long enough to hold the headers of one........"},
        {"a JPEG", "\xFF\xD8\xFF\xE0" + std::string(200, 'j')},
        {"height beyond the file", patched(22, 480000)},
        {"width beyond the file", patched(18, 0x7FFFFFFF)},
        {"height of no rows", patched(22, 0)},
        {"pixels placed past the end", patched(10, std::uint32_t(bytes.size()))},
        {"pixels inside the header", patched(10, 20)},
    };
    TMovieFrame frame;
    for (const Case& c : cases) {
        frame.LoadFromFile(good);
        const std::string path = folder / "bad.bmp";
        WriteFileBytes(path, c.content);
        EXPECT_THROW(frame.LoadFromFile(path), Exception) << c.what;
        EXPECT_TRUE(frame.Empty()) << c.what;
    }
    EXPECT_THROW(frame.LoadFromFile(folder / "missing.bmp"), Exception);
    EXPECT_THROW(frame.LoadFromFile(folder.Path()), Exception) << "a folder";
}

TEST(MovieFrame, IsScaledStraightFromItsPixelsLikeAnyDrawnPicture) {
    TempFolder folder;
    WriteTestBmp(folder / "1.bmp", 1024, 768, 32, BI_RGB, false);
    TMovieFrame frame;
    frame.LoadFromFile(folder / "1.bmp");
    TestPicture drawn(1024, 768, Expected);
    DibSection direct, viaDrawing;
    direct.Create(320, 240, true);
    viaDrawing.Create(320, 240, true);
    AreaStretcher stretcher;
    stretcher.Draw(frame, direct);
    stretcher.Draw(drawn, viaDrawing);
    for (int y = 0; y < 240; ++y) ASSERT_EQ(std::memcmp(direct.Row(y), viaDrawing.Row(y), 320 * 4), 0) << "row " << y;
}

TEST(MovieFrame, FramesAreBitmapsWhateverTheirFolderIsCalled) {
    // The still grabber writes JPEG for any path holding "jpg"; a recording kept beside a
    // program in such a folder must still be readable.
    TempFolder folder;
    const std::string path = folder / "jpg tools\\moviework\\1.bmp";
    ::CreateDirectoryA((folder / "jpg tools").c_str(), nullptr);
    CaptureFrameToFile(path, nullptr);
    ASSERT_EQ(ReadFileBytes(path).substr(0, 2), "BM");
    TMovieFrame frame;
    frame.LoadFromFile(path);
    EXPECT_EQ(frame.Width(), ::GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(frame.Height(), ::GetSystemMetrics(SM_CYSCREEN));
}
