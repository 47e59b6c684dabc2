// The real Pictavo.exe recording movies, used from outside as a person would: AVI mode
// chosen in the settings window, a recording started with the start key and ended with the
// end key, a second one ended with a click on the animated tray icon; an interval typed
// below its range.
#include <gtest/gtest.h>

#include <cmath>

#include "tests/app/ProgramMenu.h"
#include "tests/app/RemoteControls.h"
#include "tests/support/AviReader.h"
#include "tests/support/ProgramDriver.h"
#include "tests/support/ScreenSearch.h"

namespace {
using std::chrono::seconds;

struct EditSearch {
    std::string text;
    HWND found = nullptr;
};

BOOL CALLBACK MatchEditText(HWND window, LPARAM lParam) {
    auto* search = reinterpret_cast<EditSearch*>(lParam);
    char name[16] = {}, text[64] = {};
    ::GetClassNameA(window, name, sizeof name);
    // Asked of the control itself: another process's edit text is not its window caption.
    ::SendMessageA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    if (std::string(name) == "Edit" && search->text == text) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

HWND FindEditHolding(HWND parent, const std::string& text) {
    EditSearch search{text};
    ::EnumChildWindows(parent, MatchEditText, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::string EditText(HWND edit) {
    char text[64] = {};
    ::SendMessageA(edit, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return text;
}
}  // namespace

TEST(RunningProgram, RecordsMoviesEndedByTheKeyAndByATrayClick) {
    ProgramDriver program;
    TempFolder movies;
    const std::string work = program.Folder() / "moviework";
    HWND settings = program.StartToSettings(movies.Path());
    ASSERT_NE(settings, nullptr);
    HWND avi = ControlOnPage(settings, 1, "Button", "AVI");
    ASSERT_NE(avi, nullptr);
    ::SendMessageA(avi, BM_CLICK, 0, 0);
    HWND interval = FindEditHolding(settings, "1000");
    ASSERT_NE(interval, nullptr);
    ::SendMessageA(interval, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("300"));
    ASSERT_TRUE(program.ConfirmSettings(settings));
    ShownBox box;

    // Start key, frames every 300 ms into the work folder beside the program, end key.
    ASSERT_TRUE(ProgramDriver::PressKeysUntil("ctrl+alt+s", [&] { return PathExists(work + "\\1.bmp"); }));
    ASSERT_TRUE(PumpUntil([&] { return PathExists(work + "\\6.bmp"); }, seconds(30)));
    ASSERT_TRUE(ProgramDriver::PressKeysUntil("ctrl+alt+e", [&] { return !program.OpenBoxes().empty(); }));
    ASSERT_TRUE(program.AnswerBox(box, IDOK));
    EXPECT_EQ(box.caption, "情報");
    EXPECT_EQ(box.text, "ムービーを出力しました");
    // Deleted once the box is answered.
    EXPECT_TRUE(PumpUntil([&] { return !PathExists(work); }));
    // No start number asked for: numbering starts at 0.
    auto probe = ProbeStream(movies / "000.AVI");
    const int frames = std::atoi(probe["nb_read_frames"].c_str());
    EXPECT_GE(frames, 6);
    EXPECT_EQ(probe["width"], "320");
    EXPECT_EQ(probe["r_frame_rate"], "5/1") << "the settings window's frame rate";
    EXPECT_EQ(probe["TAG:title"], "VIDEO");
    const std::string duration = HostCommandOutput("ffprobe -v error -show_entries format=duration -of csv=p=0 '" +
                                                   UnixPath(movies / "000.AVI") + "'");
    EXPECT_NEAR(std::atof(duration.c_str()), frames / 5.0, 0.05) << "a time-lapse: frames at 5 a second";

    // Again, ended with a single click on the icon, which shows the recording's camera.
    ASSERT_TRUE(ProgramDriver::PressKeysUntil("ctrl+alt+s", [&] { return PathExists(work + "\\2.bmp"); }));
    RECT icon{};
    ASSERT_TRUE(PumpUntil([&] { return (icon = FindColourOnScreen("#285AAA")).right > 0; }, seconds(20)));
    ASSERT_TRUE(RunHostCommand(ClickAt((icon.left + icon.right) / 2, (icon.top + icon.bottom) / 2)));
    // The press opened the tray menu as well: the user closes it again.
    ASSERT_TRUE(PumpUntil([&] { return program.OpenMenu() != nullptr; }, seconds(20)));
    ProgramDriver::PressKeys("Escape");
    ASSERT_TRUE(program.AnswerBox(box, IDOK, seconds(20)));
    EXPECT_EQ(box.text, "ムービーを出力しました");
    // Deleted once the box is answered.
    EXPECT_TRUE(PumpUntil([&] { return !PathExists(work); }));
    const AviContents second = ReadAvi(movies / "001.AVI");
    ASSERT_TRUE(second.valid) << second.error;
    EXPECT_GE(second.frames.size(), 2u);
    EXPECT_TRUE(program.OpenBoxes().empty());
}

// "50" typed for real into 録画間隔: the box keeps it while the user types, and leaving it
// for the start button puts the least interval, 300 ms, into the box, the file and the
// recording.
TEST(RunningProgram, AnIntervalTypedBelowItsRangeRecordsAtTheLeastInterval) {
    ProgramDriver program;
    TempFolder movies;
    const std::string work = program.Folder() / "moviework";
    HWND settings = program.StartToSettings(movies.Path());
    ASSERT_NE(settings, nullptr);
    auto clickOn = [](HWND control) {
        RECT rect{};
        return control && ::GetWindowRect(control, &rect) && RunHostCommand(Click(Middle(rect)));
    };
    ASSERT_TRUE(clickOn(ControlOnPage(settings, 1, "Button", "AVI")));
    HWND interval = FindEditHolding(settings, "1000");
    ASSERT_TRUE(PumpUntil([&] { return ::IsWindowEnabled(interval) != FALSE; })) << "enabled in AVI mode";
    ASSERT_TRUE(clickOn(interval));
    ASSERT_TRUE(RunHostCommand("xdotool key End BackSpace BackSpace BackSpace BackSpace type 50"));
    ASSERT_TRUE(PumpUntil([&] { return EditText(interval) == "50"; })) << EditText(interval);
    ASSERT_TRUE(clickOn(ProgramDriver::FindControl(settings, "", "設定完了（撮影モードへ）")));
    ShownBox box;
    ASSERT_TRUE(program.AnswerBox(box, IDOK));
    ASSERT_TRUE(PumpUntil([&] { return !::IsWindowVisible(settings); }));
    EXPECT_EQ(EditText(interval), "300");
    char saved[16] = {};
    ::GetPrivateProfileStringA("Pictavo", "RecTime", "", saved, sizeof saved, program.SettingsPath().c_str());
    EXPECT_EQ(std::string(saved), "300");

    // No more frames than one per 300 ms since before the start key was pressed.
    const auto pressed = std::chrono::steady_clock::now();
    ASSERT_TRUE(ProgramDriver::PressKeysUntil("ctrl+alt+s", [&] { return PathExists(work + "\\1.bmp"); }));
    ASSERT_TRUE(PumpUntil([&] { return PathExists(work + "\\4.bmp"); }, seconds(30)));
    const auto elapsed =
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - pressed);
    const auto frames = static_cast<long long>(FileNamesIn(work).size());
    EXPECT_LE(frames * 300, elapsed.count() + 100) << frames << " frames in " << elapsed.count() << " ms";
    ASSERT_TRUE(ProgramDriver::PressKeysUntil("ctrl+alt+e", [&] { return !program.OpenBoxes().empty(); }));
    ASSERT_TRUE(program.AnswerBox(box, IDOK, seconds(30)));
    EXPECT_EQ(box.text, "ムービーを出力しました");
    const AviContents movie = ReadAvi(movies / "000.AVI");
    ASSERT_TRUE(movie.valid) << movie.error;
    EXPECT_GE(movie.frames.size(), 4u);
}
