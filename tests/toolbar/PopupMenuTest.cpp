// The framework's pop-up menu as people use it: where it opens, the keys, the pointer and
// the ways it closes, on real windows with real input.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <thread>

#include "menuanim/SlideDirections.h"
#include "tests/support/TestEnvironment.h"
#include "tests/support/UnawareThread.h"
#include "tests/toolbar/MenuTestKit.h"
#include "tests/toolbar/OpenMenu.h"
#include "toolbar/PlacePopup.h"
#include "toolkit/PumpMessages.h"

namespace {
using std::chrono::seconds;

// A form of this program in front, as the tray icon brings the main window before a menu.
class FrontForm : public TForm {
public:
    FrontForm() : TForm(nullptr) {
        SetBounds(60, 60, 200, 120);
        Show();
        ::SetForegroundWindow(Handle());
        PumpUntil([&] { return ::GetForegroundWindow() == Handle(); });
    }
};

// A window of another thread, standing for another program: it takes the foreground when
// asked and keeps the characters typed into it.
class OtherProgram {
public:
    OtherProgram() : thread_([this] { Run(); }) {
        // Bounded: a thread that never makes its window fails the test instead of hanging it.
        EXPECT_TRUE(WaitUntil([this] { return window_ != nullptr; })) << "the other program's window";
    }
    ~OtherProgram() {
        ::PostMessageA(window_, WM_CLOSE, 0, 0);
        thread_.join();
    }
    HWND Window() const { return window_; }
    void ComeToFront() { ::SendMessageA(window_, WM_APP, 0, 0); }
    std::string Typed() const { return typed_; }
    int Clicks() const { return clicks_; }

private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        auto* self = reinterpret_cast<OtherProgram*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
        switch (message) {
            case WM_APP:
                ::SetForegroundWindow(window);
                ::SetFocus(window);
                return 0;
            case WM_CHAR:
                self->typed_ += static_cast<char>(wParam);
                return 0;
            case WM_LBUTTONDOWN:
                ++self->clicks_;
                return 0;
            case WM_CLOSE:
                ::DestroyWindow(window);
                ::PostQuitMessage(0);
                return 0;
            default:
                return ::DefWindowProcA(window, message, wParam, lParam);
        }
    }
    void Run() {
        const char* windowClass =
            TestWindowClass("OtherProgram", Proc, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
        HWND window = ::CreateWindowExA(0, windowClass, "other", WS_POPUP | WS_VISIBLE, 600, 450, 300, 200, nullptr,
                                        nullptr, ::GetModuleHandleA(nullptr), nullptr);
        ::SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        window_ = window;
        MSG message;
        while (::GetMessageA(&message, nullptr, 0, 0) > 0) {
            ::TranslateMessage(&message);
            ::DispatchMessageA(&message);
        }
    }

    std::atomic<HWND> window_{nullptr};
    std::string typed_;
    std::atomic<int> clicks_{0};
    std::thread thread_;
};

void PressKey(WORD key) {
    INPUT input[2]{};
    input[0].type = input[1].type = INPUT_KEYBOARD;
    input[0].ki.wVk = input[1].ki.wVk = key;
    input[1].ki.dwFlags = KEYEVENTF_KEYUP;
    ::SendInput(2, input, sizeof input[0]);
}

// The click that closed a menu is still on its way to the window under it: it must arrive
// before the next menu opens (a person does not open one within the same click).
void LetClicksArrive() {
    PumpUntil([] {
        MSG message;
        return !::PeekMessageA(&message, nullptr, WM_MOUSEFIRST, WM_MOUSELAST, PM_NOREMOVE) &&
               !(::GetAsyncKeyState(VK_LBUTTON) & 0x8000);
    });
    PumpMessages();
}

// How long the thread that plays the user waits for what it expects to see.
constexpr std::chrono::seconds kUserWait{10};
}  // namespace

TEST(PopupPlacement, MenuStaysInsideTheAreaAtEveryEdge) {
    const RECT screen{0, 0, 1024, 768};
    const SIZE menu{150, 200};
    struct Case {
        POINT at;
        SIZE size;
        POINT expected;
    } cases[] = {
        {{100, 100}, menu, {100, 100}},
        {{1000, 100}, menu, {850, 100}},
        {{100, 700}, menu, {100, 500}},
        {{1023, 767}, menu, {873, 567}},
        {{0, 0}, menu, {0, 0}},
        {{-20, 300}, menu, {0, 300}},
        {{1100, 900}, menu, {874, 568}},
        // Fits neither below nor above the point: as far down as the screen allows.
        {{500, 300}, {150, 700}, {500, 68}},
        {{500, 300}, {150, 900}, {500, 0}},
    };
    for (const Case& c : cases) {
        const RECT r = PlacePopup(c.at, c.size, screen);
        EXPECT_EQ(r.left, c.expected.x) << c.at.x << "," << c.at.y;
        EXPECT_EQ(r.top, c.expected.y) << c.at.x << "," << c.at.y;
        EXPECT_EQ(r.right - r.left, c.size.cx);
    }
}

TEST(PopupMenu, OpensBesideThePointAndNeverLeavesTheScreen) {
    const int width = ::GetSystemMetrics(SM_CXSCREEN), height = ::GetSystemMetrics(SM_CYSCREEN);
    struct Case {
        POINT at;
        unsigned directions;
    } cases[] = {{{300, 200}, sdDownward | sdRightward}, {{width - 1, height - 1}, sdUpward | sdLeftward}};
    for (const Case& c : cases) {
        TestMenu test({"Alpha", "Gamma"});
        RECT shown{};
        unsigned directions = 0;
        WhileOpen look([&] {
            TTBPopupWindow* popup = test.Menu().PopupWindow();
            ::GetWindowRect(popup->Handle(), &shown);
            directions = popup->SlideDirections();
            test.Menu().CloseUp();
        });
        test.Menu().Popup(c.at.x, c.at.y);
        EXPECT_GE(shown.left, 0);
        EXPECT_GE(shown.top, 0);
        EXPECT_LE(shown.right, width);
        EXPECT_LE(shown.bottom, height);
        EXPECT_TRUE(shown.left == c.at.x || shown.right == c.at.x) << "a corner at the point";
        EXPECT_TRUE(shown.top == c.at.y || shown.bottom == c.at.y);
        EXPECT_EQ(directions, c.directions);
    }
}

TEST(PopupMenu, KeysMoveTheSelectionAndChoose) {
    struct Key {
        WORD key;
        char ch;
        bool system;
    };
    auto down = [](WORD key) { return Key{key, 0, false}; };
    auto letter = [](char ch) { return Key{0, ch, false}; };
    struct Case {
        const char* name;
        std::vector<Key> keys;
        std::vector<std::string> ran;
    } cases[] = {
        {"down skips title and separator", {down(VK_DOWN), down(VK_RETURN)}, {"&Alpha"}},
        {"down skips a disabled item", {down(VK_DOWN), down(VK_DOWN), down(VK_RETURN)}, {"Gamma"}},
        {"up starts at the end", {down(VK_UP), down(VK_RETURN)}, {"&Dawn"}},
        {"down wraps around", {down(VK_END), down(VK_DOWN), down(VK_RETURN)}, {"&Alpha"}},
        {"up wraps around", {down(VK_HOME), down(VK_UP), down(VK_RETURN)}, {"&Dawn"}},
        {"escape chooses nothing", {down(VK_DOWN), down(VK_ESCAPE)}, {}},
        {"alt closes", {down(VK_DOWN), Key{VK_MENU, 0, true}}, {}},
        {"enter without a selection does nothing", {down(VK_RETURN), down(VK_ESCAPE)}, {}},
        {"underlined letter chooses", {letter('a')}, {"&Alpha"}},
        {"first letter when none is underlined", {letter('g')}, {"Gamma"}},
        {"disabled item's letter does nothing", {letter('b'), down(VK_ESCAPE)}, {}},
        {"shared letter selects in turn", {letter('d'), letter('d'), down(VK_RETURN)}, {"&Dawn"}},
        {"keys without focus come as system keys", {Key{VK_DOWN, 0, true}, Key{VK_RETURN, 0, true}}, {"&Alpha"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TestMenu test({"&Alpha", "!Beta", "-", "Gamma", "&Delta", "&Dawn"});
        for (const Key& key : c.keys) {
            if (key.ch) {
                QueueChar(key.ch);
            } else {
                QueueKey(key.key, key.system);
            }
        }
        test.Menu().Popup(300, 200);
        EXPECT_EQ(test.Ran(), c.ran);
        EXPECT_EQ(test.Menu().PopupWindow(), nullptr) << "closed";
    }
}

TEST(PopupMenu, RealKeysReachTheMenuOnceButABoxShownMeanwhileKeepsItsOwn) {
    // As the tray opens the menu after a still: the hidden main window in front.
    TForm hidden(nullptr);
    ::SetForegroundWindow(hidden.Handle());
    ASSERT_TRUE(PumpUntil([&] { return ::GetForegroundWindow() == hidden.Handle(); }));
    {
        TestMenu test({"Alpha", "Gamma"});
        std::thread user([&] {
            if (!WaitForOpenMenu()) return;
            PressKey(VK_DOWN);
            PressKey(VK_RETURN);
        });
        test.Menu().Popup(300, 200);
        user.join();
        EXPECT_EQ(test.Ran(), std::vector<std::string>({"Alpha"})) << "each key taken once, by the menu";
    }
    // A command of the program shows a box while the menu is open (a recording ended by a
    // click on the icon): Enter answers the box.
    TestMenu test({"Alpha"});
    int answer = 0;
    WhileOpen box([&] { answer = ::MessageBoxA(nullptr, "box", "box", MB_OKCANCEL); });
    std::thread user([&] {
        HWND shown = nullptr;
        if (!WaitUntil([&] { return (shown = ::FindWindowA("#32770", "box")) != nullptr; }, kUserWait)) return;
        WaitUntil([&] { return ::GetForegroundWindow() == shown; }, kUserWait);
        PressKey(VK_RETURN);
        // Should Enter not reach it, the box is cancelled so that the test goes on.
        if (!WaitUntil([&] { return !::IsWindow(shown); }, kUserWait)) ::PostMessageA(shown, WM_COMMAND, IDCANCEL, 0);
        PressKey(VK_ESCAPE);
    });
    test.Menu().Popup(300, 200);
    user.join();
    EXPECT_EQ(answer, IDOK);
    EXPECT_TRUE(test.Ran().empty());
}

TEST(PopupMenu, ItemChangedWhileOpenIsRedrawnAndLosesTheSelection) {
    TestMenu test({"Alpha", "Gamma"});
    bool dropped = false, redrawn = false;
    QueueKey(VK_DOWN);
    WhileOpen change([&] {
        TTBPopupWindow* popup = test.Menu().PopupWindow();
        ::ValidateRect(popup->Handle(), nullptr);
        test.Item("Alpha")->SetEnabled(false);
        dropped = popup->Selected() == -1;
        redrawn = ::GetUpdateRect(popup->Handle(), nullptr, FALSE) != FALSE;
        QueueKey(VK_RETURN);
        QueueKey(VK_ESCAPE);
    });
    test.Menu().Popup(300, 200);
    EXPECT_TRUE(dropped);
    EXPECT_TRUE(redrawn);
    EXPECT_TRUE(test.Ran().empty()) << "Enter on a greyed item runs nothing";
}

TEST(PopupMenu, PointerLightsEnabledItemsAndClickChooses) {
    FrontForm front;
    TestMenu test({"Alpha", "!Beta", "Gamma"});
    std::atomic<bool> openAfterDisabledClick{false}, litWhenPointed{false}, disabledNeverLit{true};
    std::thread user([&] {
        TTBPopupWindow* menu = WaitForOpenMenu();
        if (!menu) return;
        POINT beta{}, gamma{}, title{};
        ItemCentre(*menu, "Beta", beta);
        ItemCentre(*menu, "Gamma", gamma);
        ItemCentre(*menu, "Title", title);
        ClickAt(beta);
        ClickAt(title);
        disabledNeverLit = menu->Selected() == -1;
        openAfterDisabledClick = ::IsWindowVisible(menu->Handle()) != FALSE;
        PointerTo(gamma);
        litWhenPointed = WaitUntil([&] { return menu->Selected() == 4; }, kUserWait);
        ClickAt(gamma);
    });
    test.Menu().Popup(300, 200);
    user.join();
    EXPECT_TRUE(openAfterDisabledClick) << "a click on a greyed item or the title keeps the menu open";
    EXPECT_TRUE(disabledNeverLit);
    EXPECT_TRUE(litWhenPointed);
    EXPECT_EQ(test.Ran(), std::vector<std::string>({"Gamma"}));
}

TEST(PopupMenu, OnAScaledDisplayAClickNearTheLastRowsCornerChoosesIt) {
    // The program is not DPI-aware: at 125 % or 150 % its windows and the pointer are in
    // scaled coordinates, but the hook that watches clicks outside the menu is told the
    // display's own pixels. Near the lower right corner the two lie furthest apart.
    UnawareThread unaware;
    if (!unaware.Taken()) GTEST_SKIP() << "threads have no DPI awareness of their own here";
    if (std::getenv("PICTAVO_LOGPIXELS")) {
        ASSERT_TRUE(unaware.DisplayScaled());
    }
    FrontForm front;
    TestMenu test({"Alpha", "Gamma", "Omega"});
    std::thread user([&] {
        UnawareThread sameSpace;
        TTBPopupWindow* menu = WaitForOpenMenu();
        if (!menu) return;
        const RECT last = menu->ItemScreenRect(menu->Items().size() - 1);
        ClickAt(POINT{last.right - 2, last.bottom - 2});
    });
    test.Menu().Popup(200, 150);
    user.join();
    EXPECT_EQ(test.Ran(), std::vector<std::string>({"Omega"}));
}

TEST(PopupMenu, ClosesOnAClickOutsideOrWhenAnotherProgramComesToTheFront) {
    OtherProgram other;
    FrontForm front;
    {
        // A click on another window of the program.
        TestMenu test({"Alpha"});
        std::thread user([&] {
            if (WaitForOpenMenu()) ClickAt(POINT{100, 100});
        });
        test.Menu().Popup(300, 200);
        user.join();
        EXPECT_TRUE(test.Ran().empty());
        LetClicksArrive();
    }
    {
        // Another program takes the foreground.
        ::SetForegroundWindow(front.Handle());
        TestMenu test({"Alpha"});
        std::thread user([&] {
            if (WaitForOpenMenu()) other.ComeToFront();
        });
        test.Menu().Popup(300, 200);
        user.join();
        EXPECT_TRUE(test.Ran().empty());
        EXPECT_EQ(::GetForegroundWindow(), other.Window());
    }
    {
        // Opened while another program has the foreground: its keys stay its own, and a
        // click into it closes the menu.
        TestMenu test({"Alpha"});
        std::atomic<bool> openAfterKeys{false};
        std::thread user([&] {
            TTBPopupWindow* menu = WaitForOpenMenu();
            if (!menu) return;
            PressKey('X');
            PressKey(VK_ESCAPE);
            PressKey(VK_RETURN);
            WaitUntil([&] { return other.Typed().find('x') != std::string::npos; }, kUserWait);
            openAfterKeys = ::IsWindowVisible(menu->Handle()) != FALSE;
            ClickAt(POINT{700, 500});
        });
        test.Menu().Popup(300, 200);
        user.join();
        EXPECT_TRUE(openAfterKeys) << "the other program's keys did not reach the menu";
        EXPECT_NE(other.Typed().find('x'), std::string::npos);
        EXPECT_TRUE(test.Ran().empty());
        // The click goes on to the other program's thread, which takes it in its own time.
        PumpUntil([&] { return other.Clicks() > 0; });
        EXPECT_EQ(other.Clicks(), 1) << "the closing click is the other program's too";
    }
}

TEST(PopupMenu, AskedToOpenWhileOpenClosesInstead) {
    TestMenu test({"Alpha"});
    int popups = 0;
    test.Menu().OnPopup = [&](TObject&) { ++popups; };
    bool returnedAtOnce = false;
    WhileOpen again([&] {
        test.Menu().Popup(400, 300);
        returnedAtOnce = true;
        QueueKey(VK_RETURN);
    });
    test.Menu().Popup(300, 200);
    EXPECT_TRUE(returnedAtOnce);
    EXPECT_EQ(popups, 1);
    EXPECT_TRUE(test.Ran().empty());
}
