#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <utility>
#include <vector>

#include "desktop/TCallbackWindow.h"
#include "desktop/TTrayIcon.h"
#include "tests/desktop/TrayTestSupport.h"
#include "tests/support/BoxRecorder.h"
#include "tests/support/TestEnvironment.h"
#include "toolkit/Exception.h"
#include "toolkit/TForm.h"

namespace {
using Clock = std::chrono::steady_clock;

// Every event of the icon, as text, in order.
struct EventLog {
    explicit EventLog(TTrayIcon& icon) {
        icon.OnClick = [this](TObject&) { Add("click"); };
        icon.OnDblClick = [this](TObject&) { Add("dblclick"); };
        icon.OnMouseDown = [this](TObject&, TMouseButton b, TShiftState s, int, int) { Add("down", b, s); };
        icon.OnMouseMove = [this](TObject&, TShiftState s, int, int) { Add("move " + std::to_string(s)); };
    }
    void Add(const std::string& text) { events.push_back(text); }
    void Add(const std::string& what, TMouseButton button, TShiftState shift) {
        static const char* names[] = {"left", "right", "middle"};
        Add(what + " " + names[static_cast<int>(button)] + " " + std::to_string(shift));
    }
    std::vector<std::string> events;
};

}  // namespace

TEST(TrayIconMouse, EachMouseMessageRaisesItsEventWithButtonAndShift) {
    TTrayIcon icon(nullptr);
    EventLog log(icon);
    icon.OnMouseUp = [&](TObject&, TMouseButton b, TShiftState s, int, int) { log.Add("up", b, s); };
    const UINT messages[] = {WM_MOUSEMOVE,     WM_LBUTTONDOWN, WM_LBUTTONUP, WM_RBUTTONDOWN,  WM_RBUTTONUP,
                             WM_RBUTTONDBLCLK, WM_MBUTTONDOWN, WM_MBUTTONUP, WM_MBUTTONDBLCLK};
    for (UINT message : messages) SendMouse(icon, message);
    const std::vector<std::string> expected = {
        "move 0",
        "down left " + std::to_string(ssLeft),
        "up left " + std::to_string(ssLeft),
        "down right " + std::to_string(ssRight),
        "up right " + std::to_string(ssRight),
        "down middle " + std::to_string(ssMiddle),
        "up middle " + std::to_string(ssMiddle),
    };
    EXPECT_EQ(log.events, expected);

    // Disabled: nothing at all, and an unknown icon number is ignored.
    log.events.clear();
    icon.SetEnabled(false);
    for (UINT message : messages) SendMouse(icon, message);
    icon.SetEnabled(true);
    ::SendMessageA(TTrayIcon::CallbackWindow()->Handle(), TCallbackWindow::kNotifyMessage, 9999, WM_MOUSEMOVE);
    EXPECT_TRUE(log.events.empty());
}

TEST(TrayIconMouse, PressWithAMenuOpensItAtThePointerWithTheOwnerFormInFront) {
    TForm form(nullptr);
    form.SetBounds(100, 100, 200, 100);
    form.Show();
    TForm other(nullptr);
    other.SetBounds(400, 100, 200, 100);
    other.Show();
    ::SetForegroundWindow(other.Handle());
    auto* icon = new TTrayIcon(&form);
    auto* left = new RecordingMenu(&form);
    auto* right = new RecordingMenu(&form);
    icon->SetLBPopupMenu(left);
    icon->SetRBPopupMenu(right);
    EventLog log(*icon);

    ::SetCursorPos(321, 234);
    SendMouse(*icon, WM_LBUTTONDOWN);
    SendMouse(*icon, WM_RBUTTONDOWN);
    ASSERT_EQ(left->opened.size(), 1u);
    ASSERT_EQ(right->opened.size(), 1u);
    EXPECT_EQ(left->opened[0].x, 321);
    EXPECT_EQ(left->opened[0].y, 234);
    EXPECT_EQ(left->foregroundAtOpen, form.Handle());
    EXPECT_TRUE(log.events.empty()) << "an opened menu raises no OnMouseDown";

    icon->AutoPopup = false;
    SendMouse(*icon, WM_LBUTTONDOWN);
    EXPECT_EQ(left->opened.size(), 1u);
    EXPECT_EQ(log.events.size(), 1u);
}

TEST(TrayIconClick, SingleClickIsReportedOnceAfterTheDoubleClickTime) {
    TTrayIcon icon(nullptr);
    EventLog log(icon);
    std::vector<Clock::time_point> clicks;
    const DWORD uiThread = ::GetCurrentThreadId();
    icon.OnClick = [&](TObject& sender) {
        EXPECT_EQ(&sender, &icon);
        EXPECT_EQ(::GetCurrentThreadId(), uiThread) << "OnClick runs on the user-interface thread";
        clicks.push_back(Clock::now());
    };
    SendMouse(icon, WM_LBUTTONDOWN);
    const auto released = Clock::now();
    SendMouse(icon, WM_LBUTTONUP);
    EXPECT_TRUE(clicks.empty()) << "not before the double-click time has passed";
    ASSERT_TRUE(PumpUntil(ClickDecided));
    ASSERT_EQ(clicks.size(), 1u);
    const auto waited = std::chrono::duration_cast<std::chrono::milliseconds>(clicks[0] - released);
    EXPECT_GE(waited.count(), static_cast<long long>(::GetDoubleClickTime()) + 50 - 15);
}

TEST(TrayIconClick, DoubleClickAndQuickClicksReportNoClick) {
    TTrayIcon icon(nullptr);
    EventLog log(icon);
    // The sequence the system sends for a double click, then two quick clicks that it does
    // not take for one.
    const std::vector<std::vector<UINT>> sequences = {
        {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP},
        {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDOWN, WM_LBUTTONUP},
    };
    const std::vector<std::vector<std::string>> expected = {{"dblclick"}, {}};
    for (size_t i = 0; i < sequences.size(); ++i) {
        log.events.clear();
        for (UINT message : sequences[i]) SendMouse(icon, message);
        ASSERT_TRUE(PumpUntil(ClickDecided));
        PumpFor(std::chrono::milliseconds(50));
        std::vector<std::string> seen;
        for (const auto& e : log.events) {
            if (e == "click" || e == "dblclick") seen.push_back(e);
        }
        EXPECT_EQ(seen, expected[i]) << "sequence " << i;
    }
}

TEST(TrayIconClick, DisablingDropsAPendingClickAndOnMouseUpReplacesIt) {
    TTrayIcon icon(nullptr);
    EventLog log(icon);
    SendMouse(icon, WM_LBUTTONUP);
    icon.SetEnabled(false);
    icon.SetEnabled(true);
    ASSERT_TRUE(PumpUntil(ClickDecided));
    EXPECT_TRUE(log.events.empty());

    int ups = 0;
    icon.OnMouseUp = [&](TObject&, TMouseButton, TShiftState, int, int) { ++ups; };
    SendMouse(icon, WM_LBUTTONUP);
    EXPECT_EQ(TTrayIcon::CallbackWindow()->PendingSingleClicks(), 0u);
    EXPECT_EQ(ups, 1);
    EXPECT_TRUE(log.events.empty());
}

TEST(TrayIconClick, ErrorInTheClickHandlerReachesTheErrorBox) {
    BoxRecorder boxes;
    TTrayIcon icon(nullptr);
    icon.OnClick = [](TObject&) { throw Exception("クリック失敗"); };
    SendMouse(icon, WM_LBUTTONUP);
    ASSERT_TRUE(PumpUntil(ClickDecided));
    ASSERT_EQ(boxes.Texts().size(), 1u);
    EXPECT_EQ(boxes.Texts()[0], "クリック失敗.");
}

TEST(TrayIconClick, IconDestroyedWhileAClickIsTimedReportsNothing) {
    int clicks = 0;
    {
        TTrayIcon other(nullptr);  // keeps the callback window alive
        auto icon = std::make_unique<TTrayIcon>(nullptr);
        icon->OnClick = [&](TObject&) { ++clicks; };
        SendMouse(*icon, WM_LBUTTONUP);
        icon.reset();
        ASSERT_TRUE(PumpUntil(ClickDecided));
    }
    EXPECT_EQ(clicks, 0);
}

TEST(TrayIconMouse, LastIconFreedByItsOwnHandlerKeepsTheWindowItIsCalledFrom) {
    auto* icon = new TTrayIcon(nullptr);
    HWND window = TTrayIcon::CallbackWindow()->Handle();
    icon->OnMouseDown = [&](TObject&, TMouseButton, TShiftState, int, int) {
        // Nothing of the handler (a member of the icon) is touched after the delete.
        delete std::exchange(icon, nullptr);
    };
    SendMouse(*icon, WM_LBUTTONDOWN);
    ASSERT_EQ(icon, nullptr);
    EXPECT_TRUE(::IsWindow(window)) << "destroyed while still inside its own handler";

    // The window serves the next icon, and goes with it.
    TTrayIcon next(nullptr);
    int moves = 0;
    next.OnMouseMove = [&](TObject&, TShiftState, int, int) { ++moves; };
    EXPECT_EQ(TTrayIcon::CallbackWindow()->Handle(), window);
    SendMouse(next, WM_MOUSEMOVE);
    EXPECT_EQ(moves, 1);
}
