#include <gtest/gtest.h>

#include "tests/support/BoxRecorder.h"
#include "tests/support/PixelCanvas.h"
#include "tests/support/TestEnvironment.h"
#include "toolkit/Exception.h"
#include "toolkit/PumpMessages.h"
#include "toolkit/TApplication.h"
#include "toolkit/TCheckBox.h"
#include "toolkit/TEdit.h"
#include "toolkit/TForm.h"
#include "toolkit/TPageControl.h"
#include "toolkit/TPanel.h"
#include "toolkit/TTabSheet.h"
#include "toolkit/TTimer.h"
#include "toolkit/UniqueHandle.h"
#include "toolkit/WindowDC.h"

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

// A page not shown makes no windows; what is set on its controls meanwhile is there when its
// tab is picked (a font made bold stays the parent's font made bold), and its windows take
// their places in the Tab order among those made before.
TEST(WinControl, AHiddenPageIsMadeWhenShownWithEverythingSetBefore) {
    TForm form(nullptr);
    form.Font().SetCharset(SHIFTJIS_CHARSET);
    form.SetClientSize(300, 200);
    auto* pages = new TPageControl(&form);
    pages->SetBounds(0, 0, 300, 200);
    pages->SetParent(&form);
    TTabSheet* sheets[2] = {new TTabSheet(&form), new TTabSheet(&form)};
    for (TTabSheet* sheet : sheets) sheet->SetPageControl(pages);
    form.Handle();
    TTabSheet& second = *sheets[1];
    const int width = second.ClientWidth(), height = second.ClientHeight();
    EXPECT_FALSE(second.HandleAllocated()) << "laid out without its window";

    auto* first = new TEdit(&form);
    auto* box = new TCheckBox(&form);
    auto* last = new TEdit(&form);
    for (TWinControl* control : std::initializer_list<TWinControl*>{first, box, last}) control->SetParent(&second);
    box->SetChecked(true);
    box->SetEnabled(false);
    last->SetText("kept");
    last->Font().SetBold(true);
    EXPECT_TRUE(box->Checked());
    EXPECT_EQ(last->Text(), "kept");
    EXPECT_FALSE(box->HandleAllocated() || last->HandleAllocated());

    // The middle one hidden: the page's others are made with the page, it only when shown.
    box->Hide();
    pages->SetActivePage(&second);
    ASSERT_TRUE(first->HandleAllocated() && last->HandleAllocated());
    EXPECT_FALSE(box->HandleAllocated());
    RECT client{};
    ::GetClientRect(second.Handle(), &client);
    EXPECT_EQ(client.right, width);
    EXPECT_EQ(client.bottom, height);
    EXPECT_EQ(::GetWindowTextLengthA(last->Handle()), 4);
    LOGFONTA shown{};
    ::GetObjectA(reinterpret_cast<HFONT>(::SendMessageA(last->Handle(), WM_GETFONT, 0, 0)), sizeof shown, &shown);
    EXPECT_EQ(shown.lfWeight, FW_BOLD);
    EXPECT_EQ(shown.lfCharSet, SHIFTJIS_CHARSET);
    box->Show();
    EXPECT_EQ(::SendMessageA(box->Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_FALSE(::IsWindowEnabled(box->Handle()));
    EXPECT_EQ(::GetWindow(first->Handle(), GW_HWNDNEXT), box->Handle());
    EXPECT_EQ(::GetWindow(box->Handle(), GW_HWNDNEXT), last->Handle());
}

// Painted through a buffer, piece by piece around its page, a tab control shows just what it
// shows painted straight: all of it, most of it or a small piece asked for again, with its
// page and a sibling that lies over a corner of it left as they are.
TEST(WinControl, ADoubleBufferedControlShowsWhatItShowsPaintedStraight) {
    TForm form(nullptr);
    form.SetBorderStyle(TFormBorderStyle::bsNone);
    form.SetClientSize(320, 220);
    auto* pages = new TPageControl(&form);
    pages->SetBounds(10, 10, 300, 200);
    pages->SetParent(&form);
    auto* sheet = new TTabSheet(&form);
    sheet->SetCaption("one");
    sheet->SetColor(RGB(0, 128, 0));
    sheet->SetPageControl(pages);
    auto* over = new TPanel(&form);
    over->SetBounds(250, 0, 70, 60);
    over->SetColor(RGB(0, 0, 160));
    over->SetParent(&form);
    form.Show();
    ::RedrawWindow(form.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);

    const auto shot = [&](const RECT* part) {
        ::RedrawWindow(pages->Handle(), part, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        auto canvas = std::make_unique<PixelCanvas>(320, 220);
        WindowDC window(form.Handle());
        ::BitBlt(canvas->dc(), 0, 0, 320, 220, window.get(), 0, 0, SRCCOPY);
        return canvas;
    };
    // Most of the control goes through the bitmap, a small piece straight to the screen.
    const RECT all{0, 0, 320, 220}, most{5, 0, 300, 150}, piece{5, 0, 200, 60};
    const auto straight = shot(nullptr);
    pages->SetDoubleBuffered(true);
    EXPECT_EQ(shot(nullptr)->Differences(*straight, all), 0);
    EXPECT_EQ(shot(&most)->Differences(*straight, all), 0);
    EXPECT_EQ(shot(&piece)->Differences(*straight, all), 0);
    EXPECT_EQ(straight->At(260, 5), RGB(0, 0, 160));
    EXPECT_EQ(straight->At(150, 150), RGB(0, 128, 0));
}
