#include <windows.h>
#include <gtest/gtest.h>
#include <psapi.h>

#include "movie/AviFileLibrary.h"
#include "movie/TOrskAvi.h"
#include "tests/movie/MovieFiles.h"
#include "tests/support/AviReader.h"
#include "tests/support/BoxRecorder.h"
#include "tests/support/TestEnvironment.h"
#include "toolkit/EOSError.h"
#include "toolkit/Exception.h"

namespace {
// A writer as the program lays it out, storing full frames.
struct UncompressedWriter : TOrskAvi {
    explicit UncompressedWriter(const std::string& file) : TOrskAvi(nullptr) {
        SetFileName(file);
        SetCompress(false);
    }
};

std::uint16_t PixelAt(const AviFrame& frame, int x, int y, int width, int height) {
    const std::size_t stride = (std::size_t(width) * 2 + 3) / 4 * 4;
    const std::size_t at = std::size_t(height - 1 - y) * stride + 2 * std::size_t(x);  // bottom-up
    return std::uint16_t(std::uint8_t(frame.data[at]) | std::uint8_t(frame.data[at + 1]) << 8);
}

std::uint16_t Pack555(Rgb c) { return std::uint16_t((c.r >> 3) << 10 | (c.g >> 3) << 5 | (c.b >> 3)); }
}  // namespace

TEST(OrskAvi, FrameRateAndBitDepthKeepToWhatAMovieCanHave) {
    TOrskAvi avi(nullptr);
    for (auto [given, kept] : std::vector<std::pair<int, int>>{{0, 1}, {31, 30}, {-5, 1}, {7, 7}, {30, 30}, {1, 1}}) {
        avi.SetFrameRate(given);
        EXPECT_EQ(avi.FrameRate(), kept) << "frame rate " << given;
    }
    for (auto [given, kept] :
         std::vector<std::pair<WORD, WORD>>{{8, 16}, {24, 24}, {272, 16}, {0x118, 24}, {32, 16}, {16, 16}, {0, 16}}) {
        avi.SetBitDepth(given);
        EXPECT_EQ(avi.BitDepth(), kept) << "bit depth " << given;
    }
}

TEST(OrskAvi, UncompressedMovieIsReadBackWithItsHeadersFramesAndPixels) {
    TempFolder folder;
    UncompressedWriter avi(folder / "movie.avi");
    avi.SetFrameRate(5);
    ASSERT_TRUE(avi.Open());
    EXPECT_TRUE(avi.IsOpen());
    for (int seed = 1; seed <= 3; ++seed) ASSERT_TRUE(avi.AddFrame(BlockScreen(seed)));
    EXPECT_EQ(avi.FramePosition(), 3u);
    avi.Close();
    EXPECT_FALSE(avi.IsOpen());
    EXPECT_EQ(AviFileLibrary::OpenUses(), 0);

    auto probe = ProbeStream(folder / "movie.avi");
    EXPECT_EQ(probe["codec_type"], "video");
    EXPECT_EQ(probe["codec_name"], "rawvideo");
    EXPECT_EQ(probe["width"], "320");
    EXPECT_EQ(probe["height"], "240");
    EXPECT_EQ(probe["pix_fmt"], "rgb555le");
    EXPECT_EQ(probe["nb_read_frames"], "3");
    EXPECT_EQ(probe["r_frame_rate"], "5/1");
    EXPECT_EQ(probe["TAG:title"], "VIDEO");

    const AviContents file = ReadAvi(folder / "movie.avi");
    ASSERT_TRUE(file.valid) << file.error;
    EXPECT_EQ(file.header.fccType, streamtypeVIDEO);
    EXPECT_EQ(file.header.fccHandler, 0u);
    EXPECT_EQ(file.header.dwScale, 1u);
    EXPECT_EQ(file.header.dwRate, 5u);
    EXPECT_EQ(file.header.dwLength, 3u);
    EXPECT_EQ(file.header.dwQuality, 10000u);
    EXPECT_EQ(std::vector<int>({file.header.left, file.header.top, file.header.right, file.header.bottom}),
              std::vector<int>({0, 0, 320, 240}));
    const BITMAPINFOHEADER& format = file.Bitmap();
    EXPECT_EQ(format.biSize, 40u);
    EXPECT_EQ(format.biWidth, 320);
    EXPECT_EQ(format.biHeight, 240);  // positive: bottom-up rows
    EXPECT_EQ(format.biPlanes, 1);
    EXPECT_EQ(format.biBitCount, 16);
    EXPECT_EQ(format.biCompression, DWORD(BI_RGB));
    EXPECT_EQ(format.biSizeImage, 0u);
    ASSERT_EQ(file.frames.size(), 3u);
    for (const AviFrame& frame : file.frames) {
        EXPECT_EQ(frame.data.size(), 153600u);
        EXPECT_EQ(frame.flags & AVIIF_KEYFRAME, DWORD(AVIIF_KEYFRAME));
    }

    // Each 32-pixel block of the screen is a 10-pixel block of the frame, in its colour:
    // as stored, and as an independent decoder shows it.
    const std::string rgb = DecodeRgb(folder / "movie.avi");
    ASSERT_EQ(rgb.size(), 3u * 320 * 240 * 3);
    for (int frame = 0; frame < 3; ++frame) {
        for (int by = 0; by < 24; ++by) {
            for (int bx = 0; bx < 32; ++bx) {
                const Rgb expected = BlockColour(bx, by, frame + 1);
                const int x = bx * 10 + 5, y = by * 10 + 5;
                ASSERT_EQ(PixelAt(file.frames[frame], x, y, 320, 240), Pack555(expected)) << bx << "," << by;
                const auto* p = reinterpret_cast<const std::uint8_t*>(rgb.data()) + ((frame * 240 + y) * 320 + x) * 3;
                ASSERT_EQ(std::vector<int>({p[0], p[1], p[2]}), std::vector<int>({expected.r, expected.g, expected.b}));
            }
        }
    }
}

TEST(OrskAvi, TwentyFourBitFramesAndOddSizesGiveFramesAReaderDecodes) {
    TempFolder folder;
    struct Case {
        WORD width, height, depth;
        const char* pixelFormat;
        std::size_t frameBytes;
    };
    for (Case c : std::vector<Case>{
             {320, 240, 24, "bgr24", 230400}, {321, 17, 16, "rgb555le", 644 * 17}, {101, 9, 24, "bgr24", 304 * 9}}) {
        UncompressedWriter avi(folder / "odd.avi");
        avi.SetWidth(c.width);
        avi.SetHeight(c.height);
        avi.SetBitDepth(c.depth);
        ASSERT_TRUE(avi.Open());
        // Right half white, left half black: a row misread by a few bytes shows at once.
        TestPicture picture(2 * c.width, 3 * c.height, [&](int x, int) {
            return x >= c.width ? Rgb{255, 255, 255} : Rgb{0, 0, 0};
        });
        ASSERT_TRUE(avi.AddFrame(picture));
        ASSERT_TRUE(avi.AddFrame(picture));
        avi.Close();

        auto probe = ProbeStream(folder / "odd.avi");
        EXPECT_EQ(probe["pix_fmt"], c.pixelFormat);
        EXPECT_EQ(probe["width"], std::to_string(c.width));
        EXPECT_EQ(probe["nb_read_frames"], "2");
        const AviContents file = ReadAvi(folder / "odd.avi");
        ASSERT_EQ(file.frames.size(), 2u);
        EXPECT_EQ(file.frames[0].data.size(), c.frameBytes);
        const std::string rgb = DecodeRgb(folder / "odd.avi");
        ASSERT_EQ(rgb.size(), 2u * c.width * c.height * 3);
        for (int y = 0; y < c.height; ++y) {
            for (int x = 0; x < c.width; ++x) {
                const auto value = std::uint8_t(rgb[(std::size_t(c.height + y) * c.width + x) * 3 + 1]);
                ASSERT_EQ(value, x >= c.width / 2 + 1 ? 255
                                 : x < c.width / 2    ? 0
                                                      : value)
                    << c.width << "x" << c.height << "x" << c.depth << " at " << x << "," << y;
            }
        }
    }
}

TEST(OrskAvi, EveryColourIsStoredAsTheNearestFiveBitLevel) {
    TempFolder folder;
    UncompressedWriter avi(folder / "grey.avi");
    avi.SetWidth(256);
    avi.SetHeight(1);
    ASSERT_TRUE(avi.Open());
    avi.AddFrame(TestPicture(256, 1, [](int x, int) {
        return Rgb{std::uint8_t(x), std::uint8_t(x), std::uint8_t(255 - x)};
    }));
    avi.Close();
    const std::string rgb = DecodeRgb(folder / "grey.avi");
    ASSERT_EQ(rgb.size(), 256u * 3);
    for (int x = 0; x < 256; ++x) {
        // 32 levels over 0..255 lie at most 9 apart: the nearest is never further than 4.
        EXPECT_LE(std::abs(std::uint8_t(rgb[3 * x]) - x), 4) << x;
        EXPECT_LE(std::abs(std::uint8_t(rgb[3 * x + 2]) - (255 - x)), 4) << x;
    }
}

TEST(OrskAvi, EachOpenStartsANewFileAtFrameZero) {
    TempFolder folder;
    WriteFileBytes(folder / "movie.avi", "an older file of that name");
    UncompressedWriter avi(folder / "movie.avi");
    ASSERT_TRUE(avi.Open());
    for (int seed = 1; seed <= 3; ++seed) avi.AddFrame(BlockScreen(seed));
    avi.Close();
    EXPECT_EQ(ReadAvi(folder / "movie.avi").frames.size(), 3u);

    ASSERT_TRUE(avi.Open());
    EXPECT_EQ(avi.FramePosition(), 0u);
    avi.AddFrame(BlockScreen(9));
    avi.Close();
    const AviContents file = ReadAvi(folder / "movie.avi");
    ASSERT_TRUE(file.valid) << file.error;
    EXPECT_EQ(file.header.dwLength, 1u);
    ASSERT_EQ(file.frames.size(), 1u);
    EXPECT_EQ(PixelAt(file.frames[0], 5, 5, 320, 240), Pack555(BlockColour(0, 0, 9)));
    EXPECT_EQ(ProbeStream(folder / "movie.avi")["nb_read_frames"], "1");
}

TEST(OrskAvi, MovieWithoutFramesIsStillAnAviFile) {
    TempFolder folder;
    UncompressedWriter avi(folder / "empty.avi");
    ASSERT_TRUE(avi.Open());
    avi.Close();
    auto probe = ProbeStream(folder / "empty.avi");
    EXPECT_EQ(probe["codec_type"], "video");
    EXPECT_EQ(probe["width"], "320");
    EXPECT_EQ(AviFileLibrary::OpenUses(), 0);
}

TEST(OrskAvi, MemoryDoesNotGrowWithTheLengthOfTheMovie) {
    TempFolder folder;
    UncompressedWriter avi(folder / "long.avi");
    const TestPicture screens[2] = {BlockScreen(1), BlockScreen(2)};
    auto privateBytes = [] {
        PROCESS_MEMORY_COUNTERS counters{sizeof counters};
        ::GetProcessMemoryInfo(::GetCurrentProcess(), &counters, sizeof counters);
        return double(counters.PagefileUsage) / 1048576.0;
    };
    ASSERT_TRUE(avi.Open());
    for (int n = 0; n < 30; ++n) avi.AddFrame(screens[n % 2]);
    const double settled = privateBytes();
    for (int n = 0; n < 400; ++n) avi.AddFrame(screens[n % 2]);
    // 400 frames are 60 MB of movie; what stays in memory is a few bytes of index each.
    EXPECT_LT(privateBytes() - settled, 2.0) << "MB more after 400 frames";
    avi.Close();
    EXPECT_EQ(ReadAvi(folder / "long.avi").frames.size(), 430u);
}

TEST(OrskAvi, FileOrStreamThatCannotBeCreatedIsReportedAndLeavesNothingOpen) {
    // A missing folder refuses the file; a ".wav" name opens the system's sound-file
    // handler, which takes no video stream.
    const struct {
        const char* name;
        const char* message;
    } cases[] = {
        {"no such folder\\movie.avi", "ＡＶＩファイルを作成できませんでした."},
        {"movie.wav", "映像ストリームを作成できませんでした."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        BoxRecorder boxes;
        UncompressedWriter avi(folder / c.name);
        EXPECT_FALSE(avi.Open());
        ASSERT_EQ(boxes.Boxes().size(), 1u);
        EXPECT_EQ(boxes.Boxes()[0].type, TMsgDlgType::mtWarning);
        EXPECT_EQ(boxes.Boxes()[0].text, c.message);
        EXPECT_FALSE(avi.IsOpen());
        EXPECT_EQ(AviFileLibrary::OpenUses(), 0);
        // A picture handed over regardless is refused, and a Close does no harm.
        EXPECT_FALSE(avi.AddFrame(BlockScreen(1)));
        avi.Close();
        EXPECT_EQ(AviFileLibrary::OpenUses(), 0);
        EXPECT_EQ(boxes.Boxes().size(), 1u);
    }
}

TEST(OrskAvi, FullDiskIsNeverReportedAsAWrittenMovie) {
    TempFolder reference;
    {
        UncompressedWriter avi(reference / "movie.avi");
        ASSERT_TRUE(avi.Open());
        avi.AddFrame(BlockScreen(1));
        ASSERT_TRUE(avi.Close());
    }
    const std::string frame = ReadAvi(reference / "movie.avi").frames.at(0).data;
    // Small real file systems around the size of one frame: the space runs out in the
    // frame's write or when the file is completed. Either way the writer says so, is
    // closed, and leaves no file that lacks what it was given.
    int failed = 0, written = 0;
    for (int kilobytes : {4, 148, 152, 156, 160, 164}) {
        TempFolder folder;
        const std::string mountPoint = UnixPath(folder.Path());
        if (!RunHostCommand("mount -t tmpfs -o size=" + std::to_string(kilobytes) + "k tmpfs '" + mountPoint + "'")) {
            GTEST_SKIP() << "cannot mount a small file system here";
        }
        {
            BoxRecorder boxes;
            UncompressedWriter avi(folder / "movie.avi");
            ASSERT_TRUE(avi.Open());
            bool complete = false;
            try {
                avi.AddFrame(BlockScreen(1));
                complete = avi.Close();
            } catch (const EOSError& error) {
                EXPECT_EQ(error.Code(), DWORD(ERROR_DISK_FULL)) << kilobytes;
            }
            EXPECT_FALSE(avi.IsOpen());
            EXPECT_EQ(AviFileLibrary::OpenUses(), 0);
            EXPECT_TRUE(boxes.Boxes().empty());
            if (complete) {
                ++written;
                const AviContents movie = ReadAvi(folder / "movie.avi");
                ASSERT_EQ(movie.frames.size(), 1u) << kilobytes;
                EXPECT_EQ(movie.frames[0].data, frame) << kilobytes;
            } else {
                ++failed;
                EXPECT_FALSE(PathExists(folder / "movie.avi")) << kilobytes;
            }
        }
        RunHostCommand("umount '" + mountPoint + "'");
    }
    EXPECT_GT(failed, 1);
    EXPECT_GT(written, 0);
}

TEST(OrskAvi, DestroyingAnOpenWriterReleasesTheLibrary) {
    TempFolder folder;
    {
        UncompressedWriter avi(folder / "movie.avi");
        ASSERT_TRUE(avi.Open());
        avi.AddFrame(BlockScreen(1));
        EXPECT_EQ(AviFileLibrary::OpenUses(), 1);
    }
    EXPECT_EQ(AviFileLibrary::OpenUses(), 0);
    // Releasing the file completes it, even without Close.
    EXPECT_EQ(ReadAvi(folder / "movie.avi").frames.size(), 1u);
}

TEST(OrskAvi, FrameSizeThatTheSystemCannotMakeRaisesBeforeAnythingIsOpened) {
    TempFolder folder;
    UncompressedWriter avi(folder / "movie.avi");
    avi.SetWidth(0);
    EXPECT_THROW(avi.Open(), Exception);
    EXPECT_FALSE(avi.IsOpen());
    EXPECT_FALSE(PathExists(folder / "movie.avi"));
    EXPECT_EQ(AviFileLibrary::OpenUses(), 0);
}
