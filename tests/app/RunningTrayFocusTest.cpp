// The real Pictavo.exe's tray menu and the keyboard: where the foreground goes when the
// menu closes, with Notepad as the window the user works in.
#include <gtest/gtest.h>

#include "tests/app/ForeignWindow.h"
#include "tests/app/ProgramMenu.h"
#include "tests/support/BmpSummary.h"
#include "tests/support/ProgramDriver.h"
#include "tests/support/ScreenSearch.h"

namespace {
using std::chrono::seconds;

std::string TextOf(HWND edit) {
    char text[256] = {};
    ::SendMessageA(edit, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return text;
}

// The window that has the keyboard in the thread of `window`, when that thread's window
// is the active one.
HWND FocusIn(HWND window) {
    GUITHREADINFO info{sizeof info};
    if (!::GetGUIThreadInfo(::GetWindowThreadProcessId(window, nullptr), &info)) return nullptr;
    return info.hwndActive == window ? info.hwndFocus : nullptr;
}

// The program in shooting mode with Notepad clicked into, and the menu as it shows then.
class TrayFocus : public testing::Test {
protected:
    void SetUp() override {
        menu = DrawMenu(
            {"画面全体をキャプチャ", "アクティブなウインドウだけをキャプチャ", "設定", "バージョン情報", "終了"});
        settings = program.StartToSettings(shots.Path());
        ASSERT_NE(settings, nullptr);
        ASSERT_TRUE(program.ConfirmSettings(settings));
        ::GetWindowThreadProcessId(settings, &processId);
        notepad = std::make_unique<ForeignWindow>("notepad.exe");
        ASSERT_NE(notepad->Handle(), nullptr);
        text = ::FindWindowExA(notepad->Handle(), nullptr, "Edit", nullptr);
        ASSERT_NE(text, nullptr);
        ClickIntoNotepad();
    }
    // A real click into Notepad's text where no other window covers it.
    void ClickIntoNotepad() {
        RECT client{};
        ::GetClientRect(text, &client);
        ::MapWindowPoints(text, nullptr, reinterpret_cast<POINT*>(&client), 2);
        POINT at{};
        for (at.y = client.top + 20; at.y < client.bottom; at.y += 20) {
            for (at.x = client.left + 20; at.x < client.right; at.x += 20) {
                if (::WindowFromPoint(at) == text) break;
            }
            if (at.x < client.right) break;
        }
        ASSERT_EQ(::WindowFromPoint(at), text) << "Notepad's text is covered";
        ASSERT_TRUE(RunHostCommand(ClickAt(at.x, at.y)));
        ASSERT_TRUE(PumpUntil([&] { return ::GetForegroundWindow() == notepad->Handle(); }, seconds(10)));
    }
    // Notepad comes back to the front, and a letter typed then reaches its text.
    ::testing::AssertionResult TypedIntoNotepad(char letter) {
        const bool back = PumpUntil([&] { return ::GetForegroundWindow() == notepad->Handle(); }, seconds(10));
        HWND front = ::GetForegroundWindow();
        if (!back)
            return ::testing::AssertionFailure()
                   << "in front: " << ClassOf(front) << " \"" << WindowText(front) << "\"";
        const std::string expected = TextOf(text) + static_cast<char>(letter - 'A' + 'a');
        if (!SendKeys({static_cast<WORD>(letter)})) return ::testing::AssertionFailure() << "the key failed";
        if (PumpUntil([&] { return TextOf(text) == expected; }, seconds(10))) return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << "Notepad holds \"" << TextOf(text) << "\"";
    }

    ExpectedMenu menu;
    ProgramDriver program;
    TempFolder shots;
    HWND settings = nullptr;
    DWORD processId = 0;
    std::unique_ptr<ForeignWindow> notepad;
    HWND text = nullptr;
};
}  // namespace

TEST_F(TrayFocus, AfterTheMenuTheKeyboardGoesBackToTheWindowTheUserWasIn) {
    // Dismissed with Escape.
    ASSERT_NE(OpenTrayMenu(processId), nullptr);
    ASSERT_TRUE(SendKeys({VK_ESCAPE}));
    ASSERT_TRUE(PumpUntil([&] { return program.OpenMenu() == nullptr; }, seconds(10)));
    EXPECT_TRUE(TypedIntoNotepad('X'));

    // A command that shows nothing: the still of the whole screen.
    ASSERT_TRUE(ChooseFromTray(processId, menu, kCaptureAllItem));
    ASSERT_TRUE(PumpUntil([&] { return PathExists(shots / "000.BMP"); }, seconds(30)));
    EXPECT_TRUE(TypedIntoNotepad('Y'));

    // The active-window still still takes the window the user was in.
    ASSERT_TRUE(ChooseFromTray(processId, menu, kCaptureActiveItem));
    ASSERT_TRUE(PumpUntil([&] { return ReadFileBytes(shots / "001.BMP").size() > 54; }, seconds(30)));
    const RECT outer = notepad->OuterRect();
    const BmpSummary still = ReadBmpSummary(shots / "001.BMP");
    EXPECT_EQ(still.width, outer.right - outer.left);
    EXPECT_EQ(still.height, outer.bottom - outer.top);
    EXPECT_TRUE(TypedIntoNotepad('Z'));
}

TEST_F(TrayFocus, SettingsFromTheMenuComeToTheFrontWithTheKeyboardHiddenOrShown) {
    // The settings window lies under Notepad where they overlap.
    const RECT outer = notepad->OuterRect();
    RECT shown{}, both{};
    ::GetWindowRect(settings, &shown);
    ASSERT_TRUE(::IntersectRect(&both, &outer, &shown));
    const POINT overlap{(both.left + both.right) / 2, (both.top + both.bottom) / 2};

    for (const char* state : {"hidden", "shown behind Notepad"}) {
        SCOPED_TRACE(state);
        ASSERT_TRUE(ChooseFromTray(processId, menu, kSettingsItem));
        EXPECT_TRUE(PumpUntil([&] { return ::GetForegroundWindow() == settings; }, seconds(10)))
            << "in front: " << ClassOf(::GetForegroundWindow()) << " \"" << WindowText(::GetForegroundWindow()) << "\"";
        EXPECT_TRUE(PumpUntil([&] { return ::IsChild(settings, FocusIn(settings)) != FALSE; }, seconds(10)));
        EXPECT_EQ(::GetAncestor(::WindowFromPoint(overlap), GA_ROOT), settings) << "above Notepad";
        ClickIntoNotepad();
        if (HasFatalFailure()) return;
        ASSERT_TRUE(::IsWindowVisible(settings));
        ASSERT_EQ(::GetAncestor(::WindowFromPoint(overlap), GA_ROOT), notepad->Handle());
    }
}
