// The real Pictavo.exe taking stills by hotkey and from its tray menu on a busy machine,
// each held against the display's own picture taken just before: the still shows the screen
// as the user saw it, Notepad active with its text, not a moment of the program's own coming
// forward or of the menu going.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <thread>

#include "tests/app/ForeignWindow.h"
#include "tests/app/ProgramMenu.h"
#include "tests/support/ProgramDriver.h"
#include "tests/support/ScreenSearch.h"
#include "toolkit/BmpFile.h"

namespace {
using std::chrono::seconds;

// Threads that keep every core busy while they live, as other programs would.
class BusyMachine {
public:
    explicit BusyMachine(unsigned threads) {
        for (unsigned i = 0; i < threads; ++i) {
            threads_.emplace_back([this] {
                volatile unsigned spin = 0;
                while (!stop_) spin = spin + 1;
            });
        }
    }
    ~BusyMachine() {
        stop_ = true;
        for (std::thread& thread : threads_) thread.join();
    }

private:
    std::atomic<bool> stop_{false};
    std::vector<std::thread> threads_;
};

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
            if (::PtInRect(&caret, at)) continue;
            if (PixelOf(still, x, y) != PixelOf(screen, at.x, at.y)) ++differences;
        }
    }
    return differences;
}

// Notepad's caret on the screen, a pixel wider all round (empty when it has none).
RECT CaretOf(HWND window) {
    GUITHREADINFO info{sizeof info};
    if (!::GetGUIThreadInfo(::GetWindowThreadProcessId(window, nullptr), &info) || !info.hwndCaret) return RECT{};
    RECT caret = info.rcCaret;
    ::MapWindowPoints(info.hwndCaret, nullptr, reinterpret_cast<POINT*>(&caret), 2);
    ::InflateRect(&caret, 1, 1);
    return caret;
}

// The screen once it has stopped changing: two pictures in a row alike but for the caret.
bool SettledScreen(HWND active, DibPixels& picture) {
    picture = ScreenPicture();
    return PumpUntil(
        [&] {
            DibPixels next = ScreenPicture();
            const bool alike = Differences(next, picture, POINT{0, 0}, CaretOf(active)) == 0;
            picture = std::move(next);
            return alike;
        },
        seconds(60));
}

// The program in shooting mode, saving BMP stills, and the menu as it shows then.
class StillAsSeen : public testing::Test {
protected:
    void SetUp() override {
        menu = DrawMenu(
            {"画面全体をキャプチャ", "アクティブなウインドウだけをキャプチャ", "設定", "バージョン情報", "終了"});
        HWND settings = program.StartToSettings(shots.Path());
        ASSERT_NE(settings, nullptr);
        ASSERT_TRUE(program.ConfirmSettings(settings));
        ::GetWindowThreadProcessId(settings, &processId);
    }

    // Real clicks, first into the window the user comes from, then into the one to work in.
    static void ClickFromInto(const ForeignWindow& from, HWND into, POINT at) {
        ASSERT_TRUE(RunHostCommand(ClickAt(from.Centre().x, from.Centre().y)));
        ASSERT_TRUE(PumpUntil([&] { return ::GetForegroundWindow() == from.Handle(); }, seconds(10)));
        ASSERT_TRUE(RunHostCommand(ClickAt(at.x, at.y)));
        ASSERT_TRUE(PumpUntil([&] { return ::GetForegroundWindow() == into; }, seconds(10)));
    }

    // With the screen settled, the next still of the whole screen or of `active` (by key or
    // from the menu): the pixels where it differs from the screen seen before it, "" when
    // none do.
    std::string NextStillDiffers(HWND active, bool whole, bool fromMenu) {
        DibPixels seen;
        if (!SettledScreen(active, seen)) return "the screen never settled";
        if (!fromMenu && !SendKeys({VK_CONTROL, VK_MENU, static_cast<WORD>(whole ? 'F' : 'A')})) return "no keys";
        if (fromMenu && !ChooseFromTray(processId, menu, whole ? kCaptureAllItem : kCaptureActiveItem))
            return "no menu";
        char name[16];
        std::snprintf(name, sizeof name, "%03d.BMP", number++);
        const std::string path = shots / name;
        if (!PumpUntil([&] { return ReadFileBytes(path).size() > 54; }, seconds(30)))
            return std::string(name) + " missing";
        const DibPixels still = ReadBmpFile(path);
        RECT outer{};
        ::GetWindowRect(active, &outer);
        const POINT origin = whole ? POINT{0, 0} : POINT{outer.left, outer.top};
        const LONG width = whole ? seen.header.biWidth : outer.right - outer.left;
        if (still.header.biWidth != width)
            return std::string(name) + " " + std::to_string(still.header.biWidth) + " wide";
        const int differences = Differences(still, seen, origin, CaretOf(active));
        return differences == 0 ? "" : std::string(name) + ": " + std::to_string(differences) + " pixels";
    }

    ExpectedMenu menu;
    ProgramDriver program;
    TempFolder shots;
    DWORD processId = 0;
    int number = 0;
};
}  // namespace

TEST_F(StillAsSeen, StillsOfNotepadByKeyAndFromTheMenuOnABusyMachineShowTheScreenAsTheUserSawIt) {
    // Notepad with a line of text, clicked into from another program's window: active, the
    // caret in its text.
    ForeignWindow notepad("notepad.exe");
    ForeignWindow other(ForeignWindow::Document(RGB(30, 160, 60), {760, 500, 1000, 700}));
    ASSERT_TRUE(notepad.Handle() && other.Handle());
    HWND text = ::FindWindowExA(notepad.Handle(), nullptr, "Edit", nullptr);
    ASSERT_NE(text, nullptr);
    ::SendMessageA(text, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("A line of text, as the user left it."));
    ClickFromInto(other, notepad.Handle(), POINT{notepad.OuterRect().left + 120, notepad.OuterRect().top + 120});
    if (HasFatalFailure()) return;

    // Whole screen and active window in turn, by key, then from the menu.
    const BusyMachine busy(4);
    constexpr int kByKey = 10, kStills = 14;
    std::vector<std::string> wrong;
    for (int still = 0; still < kStills; ++still) {
        const std::string differs = NextStillDiffers(notepad.Handle(), still % 2 == 0, still >= kByKey);
        if (!differs.empty()) wrong.push_back(differs);
    }
    EXPECT_TRUE(wrong.empty()) << wrong.size() << " of " << kStills << " stills (the first " << kByKey
                               << " by key) differ from the screen seen before:\n"
                               << ::testing::PrintToString(wrong);
    EXPECT_TRUE(program.OpenBoxes().empty());
}

TEST_F(StillAsSeen, AProgramThatDoesNotAnswerHoldsUpNoStill) {
    // The user works in a document; another program's window, over the screen too, hangs.
    ForeignWindow document(ForeignWindow::Document(RGB(30, 160, 60), {100, 120, 500, 420}));
    ForeignWindow hung(ForeignWindow::Document(RGB(200, 40, 40), {600, 450, 900, 650}));
    ASSERT_TRUE(document.Handle() && hung.Handle());
    ClickFromInto(hung, document.Handle(), document.Centre());
    if (HasFatalFailure()) return;
    ::PostMessageA(hung.Handle(), WM_USER + 1, 60000, 0);
    auto answers = [&] { return ::SendMessageTimeoutA(hung.Handle(), WM_NULL, 0, 0, 0, 50, nullptr) != 0; };
    ASSERT_TRUE(PumpUntil([&] { return !answers(); }));

    // Both stills are written while it still hangs.
    ASSERT_TRUE(SendKeys({VK_CONTROL, VK_MENU, 'F'}));
    EXPECT_TRUE(PumpUntil([&] { return ReadFileBytes(shots / "000.BMP").size() > 54; }, seconds(30)));
    ASSERT_TRUE(SendKeys({VK_CONTROL, VK_MENU, 'A'}));
    EXPECT_TRUE(PumpUntil([&] { return ReadFileBytes(shots / "001.BMP").size() > 54; }, seconds(30)));
    EXPECT_FALSE(answers());
}
