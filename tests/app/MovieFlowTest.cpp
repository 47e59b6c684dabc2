// Recording a movie as the program does it: the start command, frames taken by the frame
// timer into the work folder, the end command writing the movie and removing the folder,
// with the main window and settings window made as start-up makes them.
#include <gtest/gtest.h>

#include <utility>

#include "movie/AviFileLibrary.h"
#include "movie/WorkFolder.h"
#include "tests/app/MovieModeForms.h"
#include "tests/support/AviReader.h"
#include "tests/support/BoxRecorder.h"
#include "tests/support/DocumentWindow.h"
#include "tests/support/TestEnvironment.h"
#include "toolkit/EOSError.h"
#include "toolkit/TUtilityWindow.h"

namespace {
using std::chrono::seconds;

class MovieFlow : public MovieModeForms {
protected:
    void TearDown() override {
        EXPECT_EQ(AviFileLibrary::OpenUses(), 0);
        EXPECT_FALSE(form1->OrskAvi1->IsOpen());
        MovieModeForms::TearDown();
    }

    // Starts a recording and lets it run until it has taken `frames` frames.
    void Record(int frames) {
        form1->TB_MovieCaptureStart->Click();
        ASSERT_TRUE(PumpUntil([&] { return form1->FrameCounter() >= frames; }, seconds(30)));
    }
    std::vector<bool> Modes() const {
        TForm1& f = *form1;
        return {f.TB_MovieCaptureStart->Enabled(),
                f.TB_MovieCaptureEnd->Enabled(),
                f.TB_Set->Enabled(),
                f.TB_Version->Enabled(),
                f.TB_End->Enabled(),
                f.Timer2->Enabled(),
                f.TrayIcon1->Animating()};
    }
    const std::vector<bool> kReady = {true, false, true, true, true, false, false};
    const std::vector<bool> kRecording = {false, true, false, false, false, true, true};
};
}  // namespace

TEST_F(MovieFlow, RecordingIsWrittenAsAMovieOfItsFramesAndTheWorkFolderGoes) {
    BoxRecorder boxes;
    // What the screen shows in its middle, the movie shows in its middle.
    DocumentWindow document(RGB(200, 40, 120));
    document.SetBounds(256, 192, 512, 384);
    document.Update();
    form1->TB_MovieCaptureStart->Click();
    EXPECT_EQ(Modes(), kRecording);
    EXPECT_EQ(form1->Timer2->Interval(), 300u);
    EXPECT_EQ(form1->FrameCounter(), 0) << "the first frame comes one interval after the start";
    ASSERT_TRUE(PumpUntil([&] { return form1->FrameCounter() >= 4; }, seconds(30)));
    for (int n = 1; n <= 4; ++n) {
        EXPECT_EQ(form1->FrameFileList()[n - 1], WorkFolderPath() + "\\" + std::to_string(n) + ".bmp");
        EXPECT_EQ(ReadFileBytes(form1->FrameFileList()[n - 1]).substr(0, 2), "BM");
    }

    form1->TB_MovieCaptureEnd->Click();
    const int frames = form1->FrameCounter();
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>({"ムービーを出力しました"}));
    EXPECT_EQ(boxes.Boxes()[0].type, TMsgDlgType::mtInformation);
    EXPECT_EQ(Modes(), kReady);
    EXPECT_FALSE(PathExists(WorkFolderPath()));
    EXPECT_TRUE(form1->FrameFileList().empty());
    PumpFor(std::chrono::milliseconds(700));
    EXPECT_EQ(form1->FrameCounter(), frames) << "no frame after the end";

    const AviContents movie = ReadAvi(folder / "001.AVI");
    ASSERT_TRUE(movie.valid) << movie.error;
    EXPECT_EQ(int(movie.frames.size()), frames);
    EXPECT_EQ(movie.header.dwRate, 5u);
    EXPECT_EQ(movie.Bitmap().biWidth, 320);
    EXPECT_EQ(movie.Bitmap().biHeight, 240);
    EXPECT_EQ(movie.Bitmap().biBitCount, 16);
    auto probe = ProbeStream(folder / "001.AVI");
    EXPECT_EQ(probe["nb_read_frames"], std::to_string(frames));
    EXPECT_EQ(probe["r_frame_rate"], "5/1");
    const std::string rgb = DecodeRgb(folder / "001.AVI");
    ASSERT_EQ(rgb.size(), std::size_t(frames) * 320 * 240 * 3);
    const auto* middle = reinterpret_cast<const std::uint8_t*>(rgb.data()) + (120 * 320 + 160) * 3;
    EXPECT_NEAR(middle[0], 200, 4);
    EXPECT_NEAR(middle[1], 40, 4);
    EXPECT_NEAR(middle[2], 120, 4);
}

TEST_F(MovieFlow, SecondRecordingStartsAgainAtTheFirstFrameAndTakesTheNextNumber) {
    BoxRecorder boxes;
    Record(3);
    form1->TB_MovieCaptureEnd->Click();
    form2->spnFrameRate->SetValue(2);
    Record(2);
    EXPECT_EQ(form1->FrameFileList().front(), FrameFilePath(1));
    form1->TB_MovieCaptureEnd->Click();
    const int second = form1->FrameCounter();
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>(2, "ムービーを出力しました"));
    const AviContents movie = ReadAvi(folder / "002.AVI");
    ASSERT_TRUE(movie.valid) << movie.error;
    EXPECT_EQ(int(movie.frames.size()), second) << "only its own frames";
    EXPECT_EQ(movie.header.dwRate, 2u);
    EXPECT_TRUE(ReadAvi(folder / "001.AVI").valid);
}

TEST_F(MovieFlow, EndBeforeTheFirstFrameWritesAMovieWithoutFrames) {
    BoxRecorder boxes;
    form1->TB_MovieCaptureStart->Click();
    form1->TB_MovieCaptureEnd->Click();
    EXPECT_EQ(form1->FrameCounter(), 0);
    // No folder was made, so there is nothing to delete and nothing to complain about.
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>({"ムービーを出力しました"}));
    const AviContents movie = ReadAvi(folder / "001.AVI");
    ASSERT_TRUE(movie.valid) << movie.error;
    EXPECT_TRUE(movie.frames.empty());
    EXPECT_EQ(Modes(), kReady);
}

TEST_F(MovieFlow, FrameThatCannotBeReadStopsTheMovieThereAndClosesIt) {
    struct Case {
        const char* what;
        std::function<void(const std::string& frame)> spoil;
    };
    const std::vector<Case> cases = {
        {"deleted by hand", [](const std::string& frame) { ::DeleteFileA(frame.c_str()); }},
        {"cut short", [](const std::string& frame) { WriteFileBytes(frame, ReadFileBytes(frame).substr(0, 5000)); }},
        {"not a bitmap", [](const std::string& frame) { WriteFileBytes(frame, "no picture here"); }},
    };
    int number = 1;
    for (const Case& c : cases) {
        BoxRecorder boxes;
        Record(3);
        c.spoil(FrameFilePath(2));
        form1->TB_MovieCaptureEnd->Click();
        EXPECT_EQ(boxes.Texts(), std::vector<std::string>({"ムービーを出力できませんでした"})) << c.what;
        EXPECT_EQ(boxes.Boxes()[0].type, TMsgDlgType::mtWarning);
        EXPECT_FALSE(PathExists(WorkFolderPath())) << c.what;
        EXPECT_EQ(Modes(), kReady) << c.what;
        EXPECT_FALSE(form1->OrskAvi1->IsOpen()) << c.what;
        EXPECT_EQ(AviFileLibrary::OpenUses(), 0) << c.what;
        // The frames before the bad one make a complete file.
        char name[16];
        std::snprintf(name, sizeof name, "%03d.AVI", number++);
        const AviContents movie = ReadAvi(folder / name);
        ASSERT_TRUE(movie.valid) << c.what << ": " << movie.error;
        EXPECT_EQ(movie.frames.size(), 1u) << c.what;
    }
}

TEST_F(MovieFlow, MovieWhoseFramesCannotBeStoredOnAFullDiskIsNotReportedAsWritten) {
    // A save folder with room for the first frame of the movie but not the second.
    const std::string mountPoint = UnixPath(folder.Path());
    if (!RunHostCommand("mount -t tmpfs -o size=200k tmpfs '" + mountPoint + "'")) {
        GTEST_SKIP() << "cannot mount a small file system here";
    }
    BoxRecorder boxes;
    Record(3);
    form1->TB_MovieCaptureEnd->Click();
    const std::vector<std::string> left = FileNamesIn(folder.Path());
    RunHostCommand("umount '" + mountPoint + "'");
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>({"ムービーを出力できませんでした"}));
    EXPECT_TRUE(left.empty()) << "no movie that lacks frames";
    EXPECT_FALSE(form1->OrskAvi1->IsOpen());
    EXPECT_FALSE(PathExists(WorkFolderPath()));
    EXPECT_EQ(Modes(), kReady);
}

TEST_F(MovieFlow, EndRequestsWhileEndingDoNothing) {
    int ends = 0;
    BoxRecorder boxes;
    // While the result is shown (a modal box, messages flowing), the user presses the end
    // key and clicks the tray icon.
    boxes.OnBox([&](const MessageBoxRequest&) {
        ++ends;
        form1->HookHotKey1HotKey(*form1->HookHotKey1, 3);
        form1->TrayIcon1Click(*form1->TrayIcon1);
        EXPECT_FALSE(form1->TB_MovieCaptureEnd->Enabled());
    });
    Record(2);
    form1->TB_MovieCaptureEnd->Click();
    EXPECT_EQ(ends, 1);
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>({"ムービーを出力しました"}));
    EXPECT_FALSE(PathExists(folder / "002.AVI"));
    // Not recording: the end key and the tray click find nothing to end.
    form1->HookHotKey1HotKey(*form1->HookHotKey1, 3);
    form1->TrayIcon1Click(*form1->TrayIcon1);
    EXPECT_EQ(boxes.Boxes().size(), 1u);
}

// The end asked for while a frame is grabbed (the grab runs the waiting messages first):
// the movie is written, and the frame tells of no folder the end deleted nor leaves one.
TEST_F(MovieFlow, EndDuringAFramesGrabLeavesNothingBehind) {
    BoxRecorder boxes;
    TUtilityWindow ender([this, &ender](UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
        if (message == WM_APP) form1->TB_MovieCaptureEnd->Click();
        return ::DefWindowProcA(ender.Handle(), message, wParam, lParam);
    });
    Record(1);
    form1->Timer2->SetOnTimer([&](TObject& sender) {
        ::PostMessageA(ender.Handle(), WM_APP, 0, 0);
        form1->Timer2Timer(sender);
    });
    ASSERT_TRUE(PumpUntil([&] { return Modes() == kReady; }, seconds(30)));
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>({"ムービーを出力しました"}));
    EXPECT_FALSE(PathExists(WorkFolderPath()));
    EXPECT_TRUE(ReadAvi(folder / "001.AVI").valid);
}

TEST_F(MovieFlow, TrayClickEndsOnlyARecordingThatWasRunningWhenTheIconWasClicked) {
    BoxRecorder boxes;
    // The left press that opens the menu to start a recording is reported as a click the
    // double-click time after its release: when it arrives, the recording has just begun.
    form1->TB_MovieCaptureStart->Click();
    form1->TrayIcon1Click(*form1->TrayIcon1);
    EXPECT_TRUE(boxes.Boxes().empty());
    EXPECT_EQ(Modes(), kRecording);
    // A click made once the recording runs ends it.
    PumpFor(std::chrono::milliseconds(::GetDoubleClickTime() + 100));
    form1->TrayIcon1Click(*form1->TrayIcon1);
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>({"ムービーを出力しました"}));
    EXPECT_EQ(Modes(), kReady);
}

TEST_F(MovieFlow, NoFreeNumberOrACancelledCompressorGiveNoMovieButStillClearTheFrames) {
    BoxRecorder boxes;
    // Every number of the range taken.
    form2->spnSetEndNum->SetValue(1);
    WriteFileBytes(folder / "001.AVI", "taken");
    Record(1);
    form1->TB_MovieCaptureEnd->Click();
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>({"番号を使い終わりました", "ムービーを出力できませんでした"}));
    EXPECT_FALSE(PathExists(WorkFolderPath()));
    EXPECT_EQ(ReadFileBytes(folder / "001.AVI"), "taken");

    // Compression asked for, and its dialog cancelled.
    form2->spnSetEndNum->SetValue(999);
    form2->chkCompress->SetChecked(true);
    TTimer cancel(nullptr);
    cancel.SetInterval(50);
    cancel.SetOnTimer([](TObject&) {
        if (HWND dialog = ::FindWindowA("#32770", "ＡＶＩ圧縮方式選択"))
            ::PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    Record(1);
    form1->TB_MovieCaptureEnd->Click();
    EXPECT_EQ(boxes.Texts().back(), "ムービーを出力できませんでした");
    EXPECT_EQ(boxes.Boxes().size(), 3u);
    EXPECT_FALSE(PathExists(folder / "002.AVI"));
    EXPECT_FALSE(PathExists(WorkFolderPath()));
    EXPECT_EQ(Modes(), kReady);
}

TEST_F(MovieFlow, WorkFolderThatCannotBeDeletedIsReportedAndTheNextRecordingWritesOverIt) {
    BoxRecorder boxes;
    Record(2);
    // Someone keeps a frame open (reading allowed, deleting not).
    UniqueFileHandle held(
        ::CreateFileA(FrameFilePath(1).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(held);
    form1->TB_MovieCaptureEnd->Click();
    ASSERT_EQ(boxes.Texts(),
              std::vector<std::string>({"ムービーを出力しました", "一時フォルダの削除に失敗しました。"}));
    EXPECT_EQ(boxes.Boxes()[1].type, TMsgDlgType::mtPlain);
    EXPECT_EQ(boxes.Boxes()[1].buttons, UINT(MB_OK));
    EXPECT_TRUE(PathExists(WorkFolderPath()));
    EXPECT_EQ(Modes(), kReady);
    held.reset();

    Record(2);
    form1->TB_MovieCaptureEnd->Click();
    EXPECT_EQ(boxes.Texts().back(), "ムービーを出力しました");
    EXPECT_FALSE(PathExists(WorkFolderPath()));
    EXPECT_EQ(ReadAvi(folder / "002.AVI").frames.size(), std::size_t(form1->FrameCounter()));
}

// Frames that cannot be written (a file where the work folder goes, as unwritable as a
// program folder in Program Files) are told once a recording, and no movie is reported as
// written. Ticks that come while a frame's box is up take no frame out of turn: the frames
// stay listed in the order they were taken.
TEST_F(MovieFlow, FramesThatCannotBeWrittenAreToldOnceARecording) {
    for (int recording = 0; recording < 2; ++recording) {
        WriteFileBytes(WorkFolderPath(), "not a folder");
        BoxRecorder boxes;
        // A box is modal: timer ticks keep coming while it is up (while the first one is, here).
        bool up = false;
        boxes.OnBox([&](const MessageBoxRequest&) {
            if (std::exchange(up, true)) return;
            PumpFor(std::chrono::milliseconds(3 * 300));
        });
        Record(6);
        ASSERT_EQ(boxes.Boxes().size(), 1u) << recording;
        for (int n = 1; n <= static_cast<int>(form1->FrameFileList().size()); ++n)
            ASSERT_EQ(form1->FrameFileList()[static_cast<size_t>(n - 1)], FrameFilePath(n));
        EXPECT_EQ(boxes.Boxes()[0].caption, "Error");
        EXPECT_EQ(boxes.Boxes()[0].text, EOSError::SystemText(ERROR_PATH_NOT_FOUND));
        boxes.OnBox(nullptr);
        form1->TB_MovieCaptureEnd->Click();
        EXPECT_EQ(boxes.Texts().back(), "ムービーを出力できませんでした");
        EXPECT_EQ(Modes(), kReady);
        ::DeleteFileA(WorkFolderPath().c_str());
    }
}
