// The real Pictavo.exe with its tray menu used as a person uses it: opened by real clicks on
// the icon, read off the screen, worked with the keyboard, a click and a hotkey, through
// movie mode and a recording whose mode switch greys the menu's commands.
#include <gtest/gtest.h>

#include <memory>

#include "tests/app/ProgramMenu.h"
#include "tests/app/RemoteControls.h"
#include "tests/support/PixelCanvas.h"
#include "tests/support/ProgramDriver.h"
#include "tests/support/ScreenSearch.h"
#include "tests/toolbar/MenuTestKit.h"
#include "toolkit/BmpFile.h"
#include "toolkit/TApplication.h"

namespace {
using std::chrono::seconds;

// Pixels of the screen inside the rectangle that differ from the picture.
int DifferencesOnScreen(const RECT& where, const PixelCanvas& picture) {
    TempFolder folder;
    RunHostCommand("import -window root 'BMP3:" + UnixPath(folder / "screen.bmp") + "'", seconds(30));
    const DibPixels screen = ReadBmpFile(folder / "screen.bmp");
    if (screen.header.biBitCount != 24) return -1;
    int differences = 0;
    for (int y = 0; y < picture.Height(); ++y) {
        for (int x = 0; x < picture.Width(); ++x) {
            const int sx = where.left + x, sy = where.top + y;
            const int row = screen.header.biHeight > 0 ? screen.Height() - 1 - sy : sy;
            const BYTE* pixel = &screen.rows[static_cast<size_t>(row) * screen.Stride() + static_cast<size_t>(sx) * 3];
            if (RGB(pixel[2], pixel[1], pixel[0]) != picture.At(x, y)) ++differences;
        }
    }
    return differences;
}

}  // namespace

TEST(RunningProgram, TrayMenuShowsTheModesAndRunsItsCommandsByKeyClickAndHotkey) {
    const ExpectedMenu movieMode = DrawMenu({"動画撮影開始", "設定", "バージョン情報", "終了"});
    const ExpectedMenu recording = DrawMenu({"動画撮影終了"});

    ProgramDriver program;
    TempFolder movies;
    const std::string work = program.Folder() / "moviework";
    HWND settings = program.StartToSettings(movies.Path());
    ASSERT_NE(settings, nullptr);
    DWORD processId = 0;
    ::GetWindowThreadProcessId(settings, &processId);
    ::SendMessageA(ControlOnPage(settings, 1, "Button", "AVI"), BM_CLICK, 0, 0);
    ASSERT_TRUE(program.ConfirmSettings(settings));
    ShownBox box;

    // The application's icon in the notification area.
    RECT icon{};
    ASSERT_TRUE(PumpUntil([&] { return (icon = FindColourOnScreen("#1A4783")).right > 0; }, seconds(20)));
    const POINT tray{(icon.left + icon.right) / 2, (icon.top + icon.bottom) / 2};

    // Movie mode, opened by a left click: every item in order, only the movie start and the
    // settings, version and quit commands enabled; and the keyboard starts the recording.
    ASSERT_TRUE(RunHostCommand(Click(tray)));
    HWND menu = WaitForProgramMenu(processId);
    ASSERT_NE(menu, nullptr);
    RECT shown;
    ::GetWindowRect(menu, &shown);
    EXPECT_EQ(shown.right - shown.left, movieMode.picture->Width());
    EXPECT_EQ(shown.bottom - shown.top, movieMode.picture->Height());
    EXPECT_LE(shown.right, ::GetSystemMetrics(SM_CXSCREEN)) << "opened at the tray, still on the screen";
    EXPECT_LE(shown.bottom, ::GetSystemMetrics(SM_CYSCREEN));
    EXPECT_EQ(DifferencesOnScreen(shown, *movieMode.picture), 0);
    ASSERT_TRUE(RunHostCommand("xdotool key Down Return"));
    ASSERT_TRUE(PumpUntil([&] { return PathExists(work + "\\1.bmp"); }, seconds(20))) << "the recording started";

    // Recording, opened by the right button (a left click would end it): only the end command
    // is left, and a real click on it ends the recording.
    ASSERT_TRUE(RunHostCommand(Click(tray, 3)));
    menu = WaitForProgramMenu(processId);
    ASSERT_NE(menu, nullptr);
    ::GetWindowRect(menu, &shown);
    EXPECT_EQ(DifferencesOnScreen(shown, *recording.picture), 0);
    ASSERT_TRUE(RunHostCommand(Click(Centre(shown, recording.items[6]))));
    ASSERT_TRUE(program.AnswerBox(box, IDOK, seconds(30)));
    EXPECT_EQ(box.text, "ムービーを出力しました");
    EXPECT_TRUE(PathExists(movies / "000.AVI"));

    // The hotkeys reach the same commands.
    ASSERT_TRUE(PumpUntil(
        [&] {
            ProgramDriver::PressKeys("ctrl+alt+s");
            return PumpUntil([&] { return PathExists(work + "\\1.bmp"); }, seconds(3));
        },
        seconds(30)));
    ProgramDriver::PressKeys("ctrl+alt+e");
    ASSERT_TRUE(program.AnswerBox(box, IDOK, seconds(30)));
    EXPECT_EQ(box.text, "ムービーを出力しました");
    EXPECT_TRUE(PathExists(movies / "001.AVI"));

    // Quit from the menu.
    ASSERT_TRUE(RunHostCommand(Click(tray, 3)));
    menu = WaitForProgramMenu(processId);
    ASSERT_NE(menu, nullptr);
    ::GetWindowRect(menu, &shown);
    ASSERT_TRUE(RunHostCommand(Click(Centre(shown, movieMode.items[12]))));
    EXPECT_TRUE(program.WaitForExit(seconds(10)));
}
