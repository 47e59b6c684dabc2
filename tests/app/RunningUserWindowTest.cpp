// The real Pictavo.exe in shooting mode, with Notepad as the window the user works in
// (clicked into from another program's window): stills by key and from the tray menu on a
// busy machine, each held against the display's own picture taken just before; where the
// keyboard goes when the tray menu closes; and a program that hangs meanwhile.
#include <gtest/gtest.h>

#include <cstdio>
#include <stop_token>
#include <thread>

#include "tests/app/ForeignWindow.h"
#include "tests/app/ProgramMenu.h"
#include "tests/support/ProgramDriver.h"
#include "tests/support/ScreenSearch.h"
#include "toolkit/BmpFile.h"

namespace {
using std::chrono::seconds;

// A 24- or 32-bit picture's pixel, counted from the top-left corner.
COLORREF PixelOf(const DibPixels& picture, int x, int y) {
    const int row = picture.header.biHeight > 0 ? picture.Height() - 1 - y : y;
    const size_t bytes = picture.header.biBitCount / 8;
    const BYTE* pixel = &picture.rows[static_cast<size_t>(row) * picture.Stride() + static_cast<size_t>(x) * bytes];
    return RGB(pixel[2], pixel[1], pixel[0]);
}

// What the display shows now, as the X server holds it.
DibPixels ScreenPicture() {
    TempFolder folder;
    RunHostCommand("import -window root 'BMP3:" + UnixPath(folder / "screen.bmp") + "'", seconds(30));
    return ReadBmpFile(folder / "screen.bmp");
}

// Pixels of the still that differ from the screen picture where the still lies on it
// (`origin`: the still's top-left corner on the screen), the caret left out: it blinks.
int Differences(const DibPixels& still, const DibPixels& screen, POINT origin, const RECT& caret) {
    int differences = 0;
    for (int y = 0; y < still.Height(); ++y) {
        for (int x = 0; x < still.header.biWidth; ++x) {
            const POINT at{origin.x + x, origin.y + y};
            if (at.x < 0 || at.y < 0 || at.x >= screen.header.biWidth || at.y >= screen.Height()) continue;
            if (!::PtInRect(&caret, at) && PixelOf(still, x, y) != PixelOf(screen, at.x, at.y)) ++differences;
        }
    }
    return differences;
}

// The active window of the window's thread, with the control that has the keyboard there.
GUITHREADINFO ThreadState(HWND window) {
    GUITHREADINFO info{sizeof info};
    ::GetGUIThreadInfo(::GetWindowThreadProcessId(window, nullptr), &info);
    return info;
}

std::string TextOf(HWND edit) {
    char text[256] = {};
    ::SendMessageA(edit, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return text;
}

class WithNotepad : public testing::Test {
protected:
    void SetUp() override {
        menu = DrawMenu(
            {"画面全体をキャプチャ", "アクティブなウインドウだけをキャプチャ", "設定", "バージョン情報", "終了"});
        settings = program.StartToSettings(shots.Path());
        ASSERT_NE(settings, nullptr);
        ASSERT_TRUE(program.ConfirmSettings(settings));
        ::GetWindowThreadProcessId(settings, &processId);
        other = std::make_unique<ForeignWindow>(ForeignWindow::Document(RGB(30, 160, 60), {760, 500, 1000, 700}));
        notepad = std::make_unique<ForeignWindow>("notepad.exe");
        ASSERT_TRUE(other->Handle() && notepad->Handle());
        text = ::FindWindowExA(notepad->Handle(), nullptr, "Edit", nullptr);
        ASSERT_NE(text, nullptr);
        ::SendMessageA(text, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("A line of text, as the user left it."));
        // Where the settings window, once shown, covers its right but not its left.
        ::MoveWindow(notepad->Handle(), 0, 0, 560, 420, TRUE);
        ClickInto(other->Handle(), other->Centre());
        ClickIntoNotepad();
    }

    static void ClickInto(HWND window, POINT at) {
        ASSERT_TRUE(RunHostCommand(ClickAt(at.x, at.y)));
        ASSERT_TRUE(PumpUntil([&] { return ::GetForegroundWindow() == window; }, seconds(10)));
    }
    // Into the text, where no window of the program covers it: active, the caret there.
    void ClickIntoNotepad() { ClickInto(notepad->Handle(), POINT{80, 200}); }

    RECT Caret() const {
        const GUITHREADINFO info = ThreadState(notepad->Handle());
        RECT caret = info.rcCaret;
        ::MapWindowPoints(info.hwndCaret, nullptr, reinterpret_cast<POINT*>(&caret), 2);
        ::InflateRect(&caret, 1, 1);
        return info.hwndCaret ? caret : RECT{};
    }

    // The screen once it has stopped changing: two pictures in a row alike but for the caret.
    bool SettledScreen(DibPixels& picture) const {
        picture = ScreenPicture();
        return PumpUntil(
            [&] {
                DibPixels next = ScreenPicture();
                const bool alike = Differences(next, picture, POINT{0, 0}, Caret()) == 0;
                picture = std::move(next);
                return alike;
            },
            seconds(60));
    }

    // With the screen settled, the next still of the whole screen or of Notepad, by key or
    // from the menu: where it differs from the screen seen before it ("" when nowhere).
    std::string NextStillDiffers(bool whole, bool fromMenu) {
        DibPixels seen;
        if (!SettledScreen(seen)) return "the screen never settled";
        if (fromMenu ? !ChooseFromTray(processId, menu, whole ? kCaptureAllItem : kCaptureActiveItem)
                     : !SendKeys({VK_CONTROL, VK_MENU, static_cast<WORD>(whole ? 'F' : 'A')}))
            return "neither menu nor keys";
        char name[16];
        std::snprintf(name, sizeof name, "%03d.BMP", number++);
        if (!PumpUntil([&] { return ReadFileBytes(shots / name).size() > 54; }, seconds(30)))
            return std::string(name) + " missing";
        const DibPixels still = ReadBmpFile(shots / name);
        const RECT outer = notepad->OuterRect();
        if (still.header.biWidth != (whole ? seen.header.biWidth : outer.right - outer.left))
            return std::string(name) + " of another size";
        const int differences = Differences(still, seen, whole ? POINT{} : POINT{outer.left, outer.top}, Caret());
        return differences == 0 ? "" : std::string(name) + ": " + std::to_string(differences) + " pixels";
    }

    // Notepad comes back to the front, and a letter (one its text does not hold yet) typed
    // then reaches its text.
    ::testing::AssertionResult TypedIntoNotepad(char letter) {
        if (!PumpUntil([&] { return ::GetForegroundWindow() == notepad->Handle(); }, seconds(10)))
            return ::testing::AssertionFailure() << "in front: " << ClassOf(::GetForegroundWindow());
        const char typed = static_cast<char>(letter - 'A' + 'a');
        if (SendKeys({static_cast<WORD>(letter)}) &&
            PumpUntil([&] { return TextOf(text).find(typed) != std::string::npos; }, seconds(10)))
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << "Notepad holds \"" << TextOf(text) << "\"";
    }

    ExpectedMenu menu;
    ProgramDriver program;
    TempFolder shots;
    HWND settings = nullptr;
    DWORD processId = 0;
    std::unique_ptr<ForeignWindow> other, notepad;
    HWND text = nullptr;
    int number = 0;
};
}  // namespace

TEST_F(WithNotepad, StillsByKeyAndFromTheMenuOnABusyMachineShowTheScreenAsTheUserSawIt) {
    if (HasFatalFailure()) return;
    std::vector<std::jthread> busy;
    for (int core = 0; core < 4; ++core) {
        busy.emplace_back([](std::stop_token stop) {
            while (!stop.stop_requested()) {
            }
        });
    }
    // Whole screen and active window in turn, by key, then from the menu.
    constexpr int kByKey = 10, kStills = 14;
    std::vector<std::string> wrong;
    for (int still = 0; still < kStills; ++still) {
        const std::string differs = NextStillDiffers(still % 2 == 0, still >= kByKey);
        if (!differs.empty()) wrong.push_back(differs);
    }
    EXPECT_TRUE(wrong.empty()) << wrong.size() << " of " << kStills << " stills (the first " << kByKey
                               << " by key) differ from the screen seen before:\n"
                               << ::testing::PrintToString(wrong);
    EXPECT_TRUE(program.OpenBoxes().empty());
}

TEST_F(WithNotepad, AfterTheMenuTheKeyboardGoesBackToTheWindowTheUserWasIn) {
    if (HasFatalFailure()) return;
    // Dismissed with Escape.
    ASSERT_NE(OpenTrayMenu(processId), nullptr);
    ASSERT_TRUE(SendKeys({VK_ESCAPE}));
    ASSERT_TRUE(PumpUntil([&] { return program.OpenMenu() == nullptr; }, seconds(10)));
    EXPECT_TRUE(TypedIntoNotepad('Q'));
    // A command that shows nothing, and one that takes Notepad itself.
    ASSERT_TRUE(ChooseFromTray(processId, menu, kCaptureAllItem));
    ASSERT_TRUE(PumpUntil([&] { return PathExists(shots / "000.BMP"); }, seconds(30)));
    EXPECT_TRUE(TypedIntoNotepad('W'));
    ASSERT_TRUE(ChooseFromTray(processId, menu, kCaptureActiveItem));
    ASSERT_TRUE(PumpUntil([&] { return ReadFileBytes(shots / "001.BMP").size() > 54; }, seconds(30)));
    const RECT outer = notepad->OuterRect();
    EXPECT_EQ(ReadBmpFile(shots / "001.BMP").header.biWidth, outer.right - outer.left);
    EXPECT_TRUE(TypedIntoNotepad('Z'));
}

TEST_F(WithNotepad, SettingsFromTheMenuComeToTheFrontWithTheKeyboardHiddenOrShown) {
    if (HasFatalFailure()) return;
    const RECT outer = notepad->OuterRect();
    RECT shown{}, both{};
    ::GetWindowRect(settings, &shown);
    ASSERT_TRUE(::IntersectRect(&both, &outer, &shown));
    const POINT overlap{(both.left + both.right) / 2, (both.top + both.bottom) / 2};
    for (const char* state : {"hidden", "shown behind Notepad"}) {
        SCOPED_TRACE(state);
        ASSERT_TRUE(ChooseFromTray(processId, menu, kSettingsItem));
        EXPECT_TRUE(PumpUntil([&] { return ::GetForegroundWindow() == settings; }, seconds(10)))
            << "in front: " << ClassOf(::GetForegroundWindow());
        EXPECT_TRUE(PumpUntil([&] {
            const GUITHREADINFO info = ThreadState(settings);
            return info.hwndActive == settings && ::IsChild(settings, info.hwndFocus);
        })) << "the keyboard in it";
        EXPECT_EQ(::GetAncestor(::WindowFromPoint(overlap), GA_ROOT), settings) << "above Notepad";
        // A menu dismissed over it gives it the keyboard back.
        ASSERT_NE(OpenTrayMenu(processId), nullptr);
        ASSERT_TRUE(SendKeys({VK_ESCAPE}));
        EXPECT_TRUE(PumpUntil([&] { return ::GetForegroundWindow() == settings; }, seconds(10)));
        ClickIntoNotepad();
        if (HasFatalFailure()) return;
        ASSERT_TRUE(PumpUntil([&] { return ::GetAncestor(::WindowFromPoint(overlap), GA_ROOT) == notepad->Handle(); }))
            << "Notepad over the settings window";
    }
}

TEST_F(WithNotepad, AProgramThatDoesNotAnswerHoldsUpNoStill) {
    if (HasFatalFailure()) return;
    ::PostMessageA(other->Handle(), WM_USER + 1, 60000, 0);
    auto answers = [&] { return ::SendMessageTimeoutA(other->Handle(), WM_NULL, 0, 0, 0, 50, nullptr) != 0; };
    ASSERT_TRUE(PumpUntil([&] { return !answers(); }));
    // Both stills are written while it still hangs.
    ASSERT_TRUE(SendKeys({VK_CONTROL, VK_MENU, 'F'}));
    EXPECT_TRUE(PumpUntil([&] { return ReadFileBytes(shots / "000.BMP").size() > 54; }, seconds(30)));
    ASSERT_TRUE(SendKeys({VK_CONTROL, VK_MENU, 'A'}));
    EXPECT_TRUE(PumpUntil([&] { return ReadFileBytes(shots / "001.BMP").size() > 54; }, seconds(30)));
    EXPECT_FALSE(answers());
}
