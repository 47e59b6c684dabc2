#include <gtest/gtest.h>

#include "tests/support/BoxRecorder.h"
#include "tests/support/TestEnvironment.h"
#include "toolkit/Exception.h"
#include "toolkit/PumpMessages.h"
#include "toolkit/TApplication.h"
#include "toolkit/TEdit.h"
#include "toolkit/TForm.h"
#include "toolkit/TTimer.h"
#include "toolkit/UniqueHandle.h"

TEST(Timer, TicksWhileEnabledAndStopsWhenDisabled) {
    TTimer timer(nullptr);
    int ticks = 0;
    timer.SetInterval(20);
    timer.SetOnTimer([&](TObject& sender) {
        EXPECT_EQ(&sender, &timer);
        ++ticks;
    });
    ASSERT_TRUE(PumpUntil([&] { return ticks >= 2; }));
    timer.SetEnabled(false);
    int stopped = ticks;
    PumpFor(std::chrono::milliseconds(100));
    EXPECT_EQ(ticks, stopped);
}

TEST(Timer, ErrorInHandlerIsShownInTheApplicationBoxAndTicksGoOn) {
    BoxRecorder boxes;
    TTimer timer(nullptr);
    int ticks = 0;
    timer.SetInterval(10);
    timer.SetOnTimer([&](TObject&) {
        ++ticks;
        throw Exception("壊れました");
    });
    ASSERT_TRUE(PumpUntil([&] { return ticks >= 2; }));
    timer.SetEnabled(false);
    ASSERT_GE(boxes.Boxes().size(), 2u);
    EXPECT_EQ(boxes.Boxes()[0].caption, "Pictavo");
    EXPECT_EQ(boxes.Boxes()[0].text, "壊れました.");
}

TEST(PumpMessages, LeavesAQuitRequestForTheLoop) {
    ::PostQuitMessage(7);
    PumpMessages();
    MSG message;
    ASSERT_TRUE(::PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(message.wParam, 7u);
}

TEST(Form, ShowAndHideRaiseTheirEventsOncePerChange) {
    TForm form(nullptr);
    int shows = 0, hides = 0;
    form.OnShow = [&](TObject&) { ++shows; };
    form.OnHide = [&](TObject&) { ++hides; };
    form.Show();
    form.Show();
    EXPECT_TRUE(::IsWindowVisible(form.Handle()));
    form.Hide();
    EXPECT_FALSE(::IsWindowVisible(form.Handle()));
    EXPECT_EQ(shows, 1);
    EXPECT_EQ(hides, 1);
}

TEST(Form, CloseOfAnotherFormAsksThenHides) {
    TForm form(nullptr);
    form.Show();
    bool allow = false;
    form.OnCloseQuery = [&](TObject&, bool& canClose) { canClose = allow; };
    ::SendMessageA(form.Handle(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(form.Visible());
    allow = true;
    ::SendMessageA(form.Handle(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(form.Visible());
    EXPECT_FALSE(TApplication::Instance().Terminated());
}

TEST(Form, HasNoTaskbarButtonOfItsOwn) {
    TForm form(nullptr);
    form.Show();
    // Owned by the application window, which is never shown.
    EXPECT_EQ(::GetWindow(form.Handle(), GW_OWNER), TApplication::Instance().Handle());
    EXPECT_FALSE(::IsWindowVisible(TApplication::Instance().Handle()));
}

TEST(WinControl, LiveCaptionIsReadFromTheWindow) {
    TForm form(nullptr);
    form.SetCaption("設定画面");
    ::SetWindowTextA(form.Handle(), "changed");
    EXPECT_EQ(form.Caption(), "changed");
}

// Messages find their control by the window; a window gone, by whatever hand, or never ours
// leads to no control, so no message reaches an object that is gone.
TEST(WinControl, AWindowLeadsToItsControlOnlyWhileBothLive) {
    TForm form(nullptr);
    auto* edit = new TEdit(&form);
    edit->SetParent(&form);
    HWND formWindow = form.Handle(), editWindow = edit->Handle();
    EXPECT_EQ(TWinControl::FromHandle(formWindow), &form);
    EXPECT_EQ(TWinControl::FromHandle(editWindow), edit);

    UniqueHwnd foreign(
        ::CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 10, 10, formWindow, nullptr, nullptr, nullptr));
    EXPECT_EQ(TWinControl::FromHandle(foreign.get()), nullptr);

    ::DestroyWindow(editWindow);
    EXPECT_FALSE(edit->HandleAllocated());
    EXPECT_EQ(TWinControl::FromHandle(editWindow), nullptr);
    // Made again on demand, under its new window.
    EXPECT_EQ(TWinControl::FromHandle(edit->Handle()), edit);

    HWND again = edit->Handle();
    delete edit;
    EXPECT_EQ(TWinControl::FromHandle(again), nullptr);
    EXPECT_EQ(TWinControl::FromHandle(formWindow), &form);
}

// A form's size is set before its window is made, so its children are made with it once
// they are set up; the client area comes out as asked in every frame.
TEST(WinControl, ClientSizeSetBeforeTheWindowHoldsInEveryFrame) {
    for (TFormBorderStyle style : {TFormBorderStyle::bsNone, TFormBorderStyle::bsSingle, TFormBorderStyle::bsDialog}) {
        TForm form(nullptr);
        form.SetBorderStyle(style);
        form.SetClientSize(345, 224);
        EXPECT_FALSE(form.HandleAllocated());
        RECT client{};
        ::GetClientRect(form.Handle(), &client);
        EXPECT_EQ(client.right, 345) << static_cast<int>(style);
        EXPECT_EQ(client.bottom, 224) << static_cast<int>(style);
    }
}
