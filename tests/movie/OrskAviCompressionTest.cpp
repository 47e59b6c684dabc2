#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include "movie/AviFileLibrary.h"
#include "movie/TOrskAvi.h"
#include "tests/movie/DialogDriver.h"
#include "tests/movie/MovieFiles.h"
#include "tests/movie/TestCodec.h"
#include "tests/support/AviReader.h"
#include "tests/support/BoxRecorder.h"
#include "tests/support/TestEnvironment.h"

namespace {
const std::string kPacker = test_codec::Description(test_codec::kPacker);

class Compression : public testing::Test {
protected:
    void SetUp() override {
        test_codec::Install();
        test_codec::Observed() = {};
    }
    void TearDown() override {
        test_codec::Observed() = {};
        EXPECT_EQ(AviFileLibrary::OpenUses(), 0);
        EXPECT_FALSE(PathExists(folder / "movie_.avi")) << "temporary file left behind";
    }

    // The writer as the movie recording uses it: compressor chosen when the movie starts.
    void PreCompressing() {
        avi.SetFileName(folder / "movie.avi");
        avi.SetCompress(true);
        avi.SetPreCompress(true);
    }
    // As laid out: a finished movie compressed in a second pass.
    void PostCompressing() {
        avi.SetFileName(folder / "movie.avi");
        avi.SetCompress(true);
        avi.SetPreCompress(false);
    }
    std::vector<std::string> WriteFrames(const std::vector<TestPicture>& pictures) {
        std::vector<std::string> results;
        for (const TestPicture& picture : pictures) results.push_back(avi.AddFrame(picture) ? "stored" : "skipped");
        return results;
    }
    // The same pictures written as full frames, to compare against.
    AviContents Uncompressed(const std::vector<TestPicture>& pictures) {
        TOrskAvi plain(nullptr);
        plain.SetFileName(folder / "plain.avi");
        plain.SetCompress(false);
        EXPECT_TRUE(plain.Open());
        for (const TestPicture& picture : pictures) plain.AddFrame(picture);
        plain.Close();
        return ReadAvi(folder / "plain.avi");
    }
    // Unpacks every frame of a movie the test compressor wrote.
    std::vector<std::string> Unpacked(const AviContents& file) {
        std::vector<std::string> frames;
        std::vector<std::uint8_t> previous, frame;
        for (const AviFrame& stored : file.frames) {
            bool key = false;
            EXPECT_TRUE(test_codec::Unpack(reinterpret_cast<const std::uint8_t*>(stored.data.data()),
                                           stored.data.size(), 153600, 2, previous, frame, key));
            // A delta frame marked as a key frame would break every reader that seeks to it.
            if (!key) {
                EXPECT_EQ(stored.flags & AVIIF_KEYFRAME, 0u) << "delta frame marked as key frame";
            }
            frames.emplace_back(frame.begin(), frame.end());
            previous = frame;
        }
        return frames;
    }
    std::vector<TestPicture> Pictures(int count) {
        std::vector<TestPicture> pictures;
        for (int i = 0; i < count; ++i) pictures.push_back(BlockScreen(i / 2));  // pairs of equal frames
        return pictures;
    }

    TempFolder folder;
    TOrskAvi avi{nullptr};
};

TestPicture Noise() {
    return TestPicture(640, 480, [](int x, int y) {
        const unsigned h = unsigned(x * 2654435761u ^ y * 40503u);
        return Rgb{std::uint8_t(h >> 3), std::uint8_t(h >> 11), std::uint8_t(h >> 19)};
    });
}
TestPicture Red() {
    return TestPicture(64, 48, [](int, int) { return Rgb{255, 0, 0}; });
}
}  // namespace

TEST_F(Compression, PreCompressionWithFullFramesStoresWhatAnUncompressedMovieStores) {
    PreCompressing();
    DialogAnswerer answer(kChooserTitle, Choose(kFullFrames));
    ASSERT_TRUE(avi.Open());
    EXPECT_EQ(answer.Answered(), 1);
    const auto pictures = Pictures(3);
    WriteFrames(pictures);
    avi.Close();

    const AviContents file = ReadAvi(folder / "movie.avi"), plain = Uncompressed(pictures);
    ASSERT_TRUE(file.valid) << file.error;
    EXPECT_EQ(file.header.fccHandler, 0u);
    EXPECT_EQ(file.header.dwQuality, 10000u);
    EXPECT_EQ(file.format, plain.format);
    ASSERT_EQ(file.frames.size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(file.frames[i].data, plain.frames[i].data);
        EXPECT_EQ(file.frames[i].flags, DWORD(AVIIF_KEYFRAME));
    }
    EXPECT_EQ(test_codec::Observed().compressed, 0);
}

TEST_F(Compression, PreCompressionStoresTheCompressorsFramesWithItsKeyFrameVerdicts) {
    PreCompressing();
    DialogAnswerer answer(kChooserTitle, Choose(kPacker));
    ASSERT_TRUE(avi.Open());
    // The same screen twice, then noise: key, delta (smaller), key again (a delta of noise
    // is no smaller), delta.
    std::vector<TestPicture> pictures;
    pictures.push_back(BlockScreen(1));
    pictures.push_back(BlockScreen(1));
    pictures.push_back(Noise());
    pictures.push_back(BlockScreen(2));
    EXPECT_EQ(WriteFrames(pictures), std::vector<std::string>(4, "stored"));
    EXPECT_EQ(avi.FramePosition(), 4u);
    avi.Close();

    const AviContents file = ReadAvi(folder / "movie.avi");
    ASSERT_TRUE(file.valid) << file.error;
    EXPECT_EQ(file.header.fccHandler, test_codec::kPacker);
    // Wine's dialog offers no quality setting, so the settings keep "the compressor's
    // default" (-1), and that is what the stream header records.
    EXPECT_EQ(file.header.dwQuality, DWORD(ICQUALITY_DEFAULT));
    const BITMAPINFOHEADER& format = file.Bitmap();
    EXPECT_EQ(format.biBitCount, 18);
    EXPECT_EQ(format.biCompression, test_codec::kPacker);
    EXPECT_EQ(format.biSizeImage, 0u);
    EXPECT_EQ(format.biWidth, 320);
    EXPECT_EQ(format.biHeight, 240);
    ASSERT_EQ(file.frames.size(), 4u);
    // Wine's sequence compression reports the key frames it asked for, not those the
    // compressor chose by itself (the noise frame): only the others are certain.
    EXPECT_EQ(file.frames[0].flags & AVIIF_KEYFRAME, DWORD(AVIIF_KEYFRAME));
    EXPECT_EQ(file.frames[1].flags & AVIIF_KEYFRAME, 0u);
    EXPECT_EQ(file.frames[2].data[0], 'K');
    EXPECT_EQ(file.frames[3].flags & AVIIF_KEYFRAME, 0u);

    const AviContents plain = Uncompressed(pictures);
    const auto frames = Unpacked(file);
    ASSERT_EQ(frames.size(), plain.frames.size());
    for (std::size_t i = 0; i < frames.size(); ++i) EXPECT_EQ(frames[i], plain.frames[i].data) << "frame " << i;
}

TEST_F(Compression, OldFileIsDeletedOnlyAfterTheDialogIsConfirmed) {
    PreCompressing();
    WriteFileBytes(folder / "movie.avi", "older movie");
    bool presentDuringDialog = false;
    auto lookThenCancel = [&](HWND dialog) {
        presentDuringDialog = PathExists(folder / "movie.avi");
        Choose("")(dialog);
    };
    {
        DialogAnswerer answer(kChooserTitle, lookThenCancel);
        EXPECT_FALSE(avi.Open());  // cancelled: no message
        EXPECT_EQ(answer.Answered(), 1);
    }
    EXPECT_TRUE(presentDuringDialog);
    EXPECT_EQ(ReadFileBytes(folder / "movie.avi"), "older movie");
    EXPECT_FALSE(avi.IsOpen());

    DialogAnswerer answer(kChooserTitle, [&](HWND dialog) {
        presentDuringDialog = PathExists(folder / "movie.avi");
        Choose(kPacker)(dialog);
    });
    ASSERT_TRUE(avi.Open());
    EXPECT_TRUE(presentDuringDialog);
    avi.AddFrame(BlockScreen(1));
    avi.Close();
    EXPECT_EQ(ReadAvi(folder / "movie.avi").frames.size(), 1u);
}

TEST_F(Compression, CompressorThatCannotStartIsReportedBeforeAnyFileIsTouched) {
    PreCompressing();
    WriteFileBytes(folder / "movie.avi", "older movie");
    BoxRecorder boxes;
    DialogAnswerer answer(kChooserTitle, Choose(test_codec::Description(test_codec::kFailsToStart)));
    EXPECT_FALSE(avi.Open());
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].type, TMsgDlgType::mtError);
    EXPECT_EQ(boxes.Boxes()[0].text, "フレームシーケンス圧縮のリソースが初期化出来ません.");
    EXPECT_EQ(ReadFileBytes(folder / "movie.avi"), "older movie");
    EXPECT_FALSE(avi.IsOpen());
}

TEST_F(Compression, FrameTheCompressorFailsOnIsLeftOutAndTheNextOneIsStored) {
    PreCompressing();
    BoxRecorder boxes;
    DialogAnswerer answer(kChooserTitle, Choose(test_codec::Description(test_codec::kFailsOnRed)));
    ASSERT_TRUE(avi.Open());
    std::vector<TestPicture> pictures;
    pictures.push_back(BlockScreen(1));
    pictures.push_back(Red());
    pictures.push_back(BlockScreen(2));
    EXPECT_EQ(WriteFrames(pictures), std::vector<std::string>({"stored", "skipped", "stored"}));
    EXPECT_EQ(avi.FramePosition(), 2u);
    avi.Close();
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>({"フレームシーケンス圧縮が出来ませんでした."}));
    EXPECT_EQ(boxes.Boxes()[0].type, TMsgDlgType::mtError);

    const AviContents file = ReadAvi(folder / "movie.avi");
    ASSERT_EQ(file.frames.size(), 2u);
    pictures.erase(pictures.begin() + 1);
    const AviContents plain = Uncompressed(pictures);
    const auto frames = Unpacked(file);
    for (std::size_t i = 0; i < frames.size(); ++i) EXPECT_EQ(frames[i], plain.frames[i].data) << "frame " << i;
}

TEST_F(Compression, SecondPassDeclinedKeepsTheUncompressedMovieWithoutAWord) {
    PostCompressing();
    const auto pictures = Pictures(2);
    for (const char* entry : {"", kFullFrames}) {
        DialogAnswerer answer(kSaveOptionsTitle, Choose(entry));
        ASSERT_TRUE(avi.Open());  // no dialog before the frames
        EXPECT_EQ(answer.Answered(), 0);
        WriteFrames(pictures);
        avi.Close();
        EXPECT_EQ(answer.Answered(), 1);
        const AviContents file = ReadAvi(folder / "movie.avi"), plain = Uncompressed(pictures);
        ASSERT_EQ(file.frames.size(), 2u) << Utf8(entry);
        EXPECT_EQ(file.format, plain.format);
        EXPECT_EQ(file.frames[1].data, plain.frames[1].data);
        EXPECT_FALSE(PathExists(folder / "movie_.avi"));
    }
}

TEST_F(Compression, SecondPassReplacesTheMovieWithItsCompressedCopyWhileShowingProgress) {
    PostCompressing();
    avi.SetFrameRate(7);
    const auto pictures = Pictures(6);
    // What the progress window shows, looked at while the compressor works.
    struct Seen {
        bool window = false;
        RECT client{};
        std::vector<std::string> texts;
        std::vector<std::vector<int>> places;
        std::vector<int> positions;
    } seen;
    auto placed = [](HWND child) {
        RECT r;
        ::GetWindowRect(child, &r);
        ::MapWindowPoints(HWND_DESKTOP, ::GetParent(child), reinterpret_cast<POINT*>(&r), 2);
        return std::vector<int>({int(r.left), int(r.top), int(r.right - r.left), int(r.bottom - r.top)});
    };
    test_codec::Observed().onCompress = [&] {
        HWND window = ::FindWindowA(nullptr, "進行状況");
        if (!window) return;
        seen.window = ::IsWindowVisible(window) != FALSE;
        ::GetClientRect(window, &seen.client);
        seen.texts.clear();
        seen.places.clear();
        for (const ChildWindow& child : Children(window)) {
            seen.texts.push_back(child.text);
            seen.places.push_back(placed(child.window));
        }
        if (HWND bar = FindChild(window, PROGRESS_CLASSA))
            seen.positions.push_back(int(::SendMessageA(bar, PBM_GETPOS, 0, 0)));
    };
    DialogAnswerer answer(kSaveOptionsTitle, Choose(kPacker));
    ASSERT_TRUE(avi.Open());
    WriteFrames(pictures);
    avi.Close();
    EXPECT_EQ(answer.Answered(), 1);
    EXPECT_EQ(::FindWindowA(nullptr, "進行状況"), nullptr) << "the progress window is gone";

    ASSERT_TRUE(seen.window);
    EXPECT_EQ(seen.client.right, 200);
    EXPECT_EQ(seen.client.bottom, 80);
    ASSERT_EQ(seen.texts.size(), 3u);
    EXPECT_EQ(seen.texts[0], "圧縮ＡＶＩファイル作成中...");
    EXPECT_EQ(seen.places[0][0], 8);
    EXPECT_EQ(seen.places[0][1], 8);
    EXPECT_GT(seen.places[0][2], 100) << "the label takes the width of its text";
    EXPECT_EQ(seen.texts[1], "中断");
    EXPECT_EQ(seen.places[1], std::vector<int>({64, 48, 72, 24}));
    EXPECT_EQ(seen.places[2], std::vector<int>({20, 24, 160, 16}));
    ASSERT_FALSE(seen.positions.empty());
    EXPECT_TRUE(std::is_sorted(seen.positions.begin(), seen.positions.end()));
    EXPECT_GT(seen.positions.back(), 0);

    const AviContents file = ReadAvi(folder / "movie.avi");
    ASSERT_TRUE(file.valid) << file.error;
    EXPECT_EQ(file.header.fccHandler, test_codec::kPacker);
    EXPECT_EQ(file.header.dwRate, 7u);
    EXPECT_EQ(file.Bitmap().biCompression, test_codec::kPacker);
    const AviContents plain = Uncompressed(pictures);
    const auto frames = Unpacked(file);
    ASSERT_EQ(frames.size(), 6u);
    for (std::size_t i = 0; i < frames.size(); ++i) EXPECT_EQ(frames[i], plain.frames[i].data) << "frame " << i;
    auto probe = ProbeStream(folder / "movie.avi");
    EXPECT_EQ(probe["codec_tag_string"], "tpk1");
    EXPECT_EQ(probe["TAG:title"], "VIDEO");
}

TEST_F(Compression, AbortedSecondPassKeepsTheUncompressedMovieAndDoesNotHauntTheNext) {
    PostCompressing();
    const auto pictures = Pictures(8);
    BoxRecorder boxes;
    // Pressed like a user would, while the third frame is being compressed.
    test_codec::Observed().onCompress = [&] {
        if (test_codec::Observed().compressed != 3) return;
        HWND window = ::FindWindowA(nullptr, "進行状況");
        ASSERT_NE(window, nullptr);
        PressButton(FindChild(window, "Button", "中断"));
    };
    {
        DialogAnswerer answer(kSaveOptionsTitle, Choose(kPacker));
        ASSERT_TRUE(avi.Open());
        WriteFrames(pictures);
        avi.Close();
    }
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>({"圧縮ＡＶＩファイル作成を中断しました."}));
    EXPECT_EQ(boxes.Boxes()[0].type, TMsgDlgType::mtWarning);
    EXPECT_LT(test_codec::Observed().compressed, 8);
    EXPECT_FALSE(PathExists(folder / "movie_.avi"));
    AviContents file = ReadAvi(folder / "movie.avi");
    const AviContents plain = Uncompressed(pictures);
    ASSERT_EQ(file.frames.size(), 8u);
    EXPECT_EQ(file.format, plain.format);
    EXPECT_EQ(file.frames[7].data, plain.frames[7].data);
    EXPECT_EQ(ProbeStream(folder / "movie.avi")["nb_read_frames"], "8");

    test_codec::Observed() = {};
    DialogAnswerer answer(kSaveOptionsTitle, Choose(kPacker));
    ASSERT_TRUE(avi.Open());
    WriteFrames(pictures);
    avi.Close();
    EXPECT_EQ(boxes.Boxes().size(), 1u);
    file = ReadAvi(folder / "movie.avi");
    EXPECT_EQ(file.header.fccHandler, test_codec::kPacker);
    EXPECT_EQ(file.frames.size(), 8u);
}

TEST_F(Compression, FailedSecondPassIsReportedAndKeepsTheUncompressedMovie) {
    PostCompressing();
    const auto pictures = Pictures(4);
    BoxRecorder boxes;
    DialogAnswerer answer(kSaveOptionsTitle, Choose(test_codec::Description(test_codec::kFailsAfterOne)));
    ASSERT_TRUE(avi.Open());
    WriteFrames(pictures);
    avi.Close();
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>({"圧縮ＡＶＩファイル作成を中断しました."}));
    const AviContents file = ReadAvi(folder / "movie.avi");
    ASSERT_EQ(file.frames.size(), 4u);
    EXPECT_EQ(file.Bitmap().biCompression, DWORD(BI_RGB));
}

TEST_F(Compression, FinishedMovieThatCannotBeReopenedIsReportedAndLeftAsItIs) {
    PostCompressing();
    BoxRecorder boxes;
    ASSERT_TRUE(avi.Open());
    WriteFrames(Pictures(3));
    // Moved away under the writer's feet: the writer still completes the file it holds open,
    // but nothing is found under the movie's name when the second pass looks for it.
    const std::string moved = folder / "moved.avi";
    ASSERT_TRUE(RunHostCommand("mv '" + UnixPath(folder / "movie.avi") + "' '" + UnixPath(moved) + "'"));
    avi.Close();
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>({"ＡＶＩファイルを開けませんでした."}));
    EXPECT_FALSE(PathExists(folder / "movie.avi"));
    EXPECT_EQ(ReadAvi(moved).frames.size(), 3u);
}
