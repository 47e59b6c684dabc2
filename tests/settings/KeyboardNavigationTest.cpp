// The settings window from the keyboard alone, with real key presses: Tab and Shift+Tab go
// round the controls in the order they were made, the buttons among them, the arrows choose
// the save mode, Space checks a box or presses a button, Ctrl+Tab turns the pages, Enter and
// Escape press nothing unasked, keys in an edit in place stay there, and the focus comes back
// to where it was with the window.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <functional>

#include "tests/support/BoxRecorder.h"
#include "tests/support/ProgramForms.h"
#include "toolkit/FilePath.h"

namespace {
std::string Describe(HWND window) {
    return window ? ClassOf(window) + " \"" + Utf8(WindowText(window)) + "\"" : "no window";
}

std::vector<WPARAM> uiStateChanges;
LRESULT CALLBACK RecordUiState(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    if (message == WM_CHANGEUISTATE) uiStateChanges.push_back(wParam);
    return ::DefSubclassProc(window, message, wParam, lParam);
}

class KeyboardNavigation : public ProgramForms {
protected:
    void SetUp() override {
        ProgramForms::SetUp();
        form2->Show();
        // The desktop hands X key presses on to the program only with the pointer over one
        // of its windows: between the two big buttons, where it makes nothing light up.
        POINT between{form2->ClientWidth() / 2, form2->ClientHeight() - 24};
        ::ClientToScreen(form2->Handle(), &between);
        ::SetCursorPos(between.x, between.y);
    }
    // Presses the keys on the X display, then handles messages until the condition holds.
    // The keys reach the program through the virtual desktop's X window, which loses the X
    // focus while no window of the program is shown.
    static bool Press(const std::string& keys, const std::function<bool()>& until) {
        return RunHostCommand("xdotool search --name 'Wine desktop' windowfocus --sync key " + keys) &&
               PumpUntil(until);
    }
    static bool PressTo(const std::string& keys, HWND control) {
        return Press(keys, [control] { return ::GetFocus() == control; });
    }
    HWND Mode(const char* caption) const {
        return ::FindWindowExA(form2->rgMode->Handle(), nullptr, "Button", caption);
    }
};
}  // namespace

TEST_F(KeyboardNavigation, TabArrowsSpaceAndCtrlTabMoveAsInADialogAndTheFocusComesBack) {
    TForm2& f = *form2;
    HWND tabs = f.PageControl1->Handle();
    ASSERT_TRUE(PumpUntil([&] { return ::GetFocus() == tabs; })) << "shown: " << Describe(::GetFocus());
    ASSERT_TRUE(Press("ctrl+Tab", [&] { return f.PageControl1->ActivePageIndex() == 1; }));
    ASSERT_EQ(::GetFocus(), tabs) << "on the tabs, the focus stays there";

    // BMP mode: the movie controls and disabled boxes are passed over; the radio group is
    // one stop, its checked button; after the last control the round starts again.
    const std::vector<HWND> round = {f.chkAddWordBefore->Handle(),
                                     f.chkAddWordAfter->Handle(),
                                     f.chkNumberLock->Handle(),
                                     f.spnNumberLock->Handle(),
                                     f.chkNumLockZero->Handle(),
                                     f.chkSetStartNum->Handle(),
                                     f.chkSetEndNum->Handle(),
                                     Mode("BMP"),
                                     f.hkStillAll->Handle(),
                                     f.hkStillActive->Handle(),
                                     f.btnStartPhotographing->Handle(),
                                     f.btnClose->Handle(),
                                     tabs};
    for (HWND next : round) ASSERT_TRUE(PressTo("Tab", next)) << "at " << Describe(::GetFocus());
    // Backwards; the Shift that goes with Tab leaves the hotkeys as they were.
    ASSERT_TRUE(PressTo("shift+Tab", f.btnClose->Handle()));
    ASSERT_TRUE(PressTo("shift+Tab", f.btnStartPhotographing->Handle()));
    ASSERT_TRUE(PressTo("shift+Tab", f.hkStillActive->Handle()));
    ASSERT_TRUE(PressTo("shift+Tab", f.hkStillAll->Handle()));
    ASSERT_TRUE(PressTo("shift+Tab", Mode("BMP")));
    EXPECT_EQ(f.hkStillActive->HotKey(), scCtrl | scAlt | 'A');
    EXPECT_EQ(f.hkStillAll->HotKey(), scCtrl | scAlt | 'F');

    // The arrows choose the mode they reach, and what the mode enables joins the round.
    ASSERT_TRUE(PressTo("Right", Mode("JPEG")));
    EXPECT_EQ(f.rgMode->ItemIndex(), kModeJpeg);
    ASSERT_TRUE(PressTo("Right", Mode("AVI")));
    EXPECT_EQ(f.rgMode->ItemIndex(), kModeAvi);
    ASSERT_TRUE(PressTo("Tab", f.spnFrameRate->Handle()));
    ASSERT_TRUE(PressTo("shift+Tab", Mode("AVI")));
    ASSERT_TRUE(PressTo("Left", Mode("JPEG")));
    EXPECT_EQ(f.rgMode->ItemIndex(), kModeJpeg);
    EXPECT_EQ(f.MakeFileName(1), "001.JPEG");

    // Ctrl+Tab turns the pages round, taking the focus to each page's first control.
    ASSERT_TRUE(PressTo("ctrl+Tab", f.chkLoadSettingPass->Handle()));
    ASSERT_TRUE(PressTo("ctrl+Tab", f.KeshShTreeView1->Handle()));
    EXPECT_EQ(f.PageControl1->ActivePageIndex(), 0);
    ASSERT_TRUE(PressTo("Tab", f.KeshShListView1->Handle()));
    ASSERT_TRUE(PressTo("ctrl+shift+Tab", f.chkLoadSettingPass->Handle()));
    ASSERT_TRUE(PressTo("ctrl+shift+Tab", f.chkAddWordBefore->Handle()));

    // Space checks the box, and the edit box it enables is the next stop.
    ASSERT_TRUE(Press("space", [&] { return f.chkAddWordBefore->Checked(); }));
    ASSERT_TRUE(PressTo("Tab", f.txtAddWordBefore->Handle()));

    // Enter and Escape, in an edit box and on a check box: no button is pressed, no box
    // comes up, the window stays and so does the focus.
    BoxRecorder boxes;
    for (TWinControl* control : std::initializer_list<TWinControl*>{f.txtAddWordBefore, f.chkAddWordBefore}) {
        if (::GetFocus() != control->Handle()) {
            ASSERT_TRUE(PressTo("shift+Tab", control->Handle()));
        }
        ASSERT_TRUE(Press("Return Escape", [] { return true; }));
        PumpFor(std::chrono::milliseconds(500));
        EXPECT_TRUE(boxes.Texts().empty());
        EXPECT_TRUE(f.Visible());
        EXPECT_TRUE(::IsWindowVisible(f.Handle()));
        EXPECT_EQ(::GetFocus(), control->Handle()) << Describe(::GetFocus());
    }
    EXPECT_TRUE(f.chkAddWordBefore->Checked());
    EXPECT_TRUE(form1->SaveFolder().empty()) << "the start button was not pressed";

    // Hidden and shown again, as the start button and the tray menu do it.
    f.Hide();
    ASSERT_FALSE(::IsWindowVisible(f.Handle()));
    f.Show();
    ASSERT_TRUE(PumpUntil([&] { return ::GetFocus() == f.chkAddWordBefore->Handle(); })) << Describe(::GetFocus());
    ASSERT_TRUE(PressTo("Tab", f.txtAddWordBefore->Handle()));
}

TEST_F(KeyboardNavigation, TheButtonsTakeTheirTurnInReadingOrderAndActOnSpaceAndEnter) {
    TForm2& f = *form2;
    TempFolder shots;
    f.SelectPath(shots.Path());
    HWND tabs = f.PageControl1->Handle();
    HWND start = f.btnStartPhotographing->Handle();
    ASSERT_TRUE(PumpUntil([&] { return ::GetFocus() == tabs; })) << "shown: " << Describe(::GetFocus());
    // Windows hides the focus in a window the mouse brought up until the keyboard is used in
    // it; Wine keeps no such state, so what the window is told is recorded.
    uiStateChanges.clear();
    ::SetWindowSubclass(f.Handle(), RecordUiState, 1, 0);
    // Left to right, top to bottom, and back.
    for (TWinControl* next : std::initializer_list<TWinControl*>{f.KeshShTreeView1, f.KeshShListView1, f.btnNewFolder,
                                                                 f.btnStartPhotographing, f.btnClose, f.PageControl1})
        ASSERT_TRUE(PressTo("Tab", next->Handle())) << "at " << Describe(::GetFocus());
    ::RemoveWindowSubclass(f.Handle(), RecordUiState, 1);
    EXPECT_NE(std::find(uiStateChanges.begin(), uiStateChanges.end(), MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS)),
              uiStateChanges.end())
        << "Tab shows where the focus is";
    for (TWinControl* next : std::initializer_list<TWinControl*>{f.btnClose, f.btnStartPhotographing, f.btnNewFolder})
        ASSERT_TRUE(PressTo("shift+Tab", next->Handle())) << "at " << Describe(::GetFocus());

    // Enter and Space press the focused button.
    ASSERT_TRUE(Press("Return", [&] { return DirectoryExists(shots / "新しいフォルダ"); }));
    ASSERT_TRUE(PressTo("Tab", start));
    BoxRecorder boxes;
    ASSERT_TRUE(Press("space", [&] { return !::IsWindowVisible(f.Handle()); }));
    EXPECT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(form1->SaveFolder(), shots.Path() + "\\");

    // Shown again from the tray's menu: the round goes on from the button.
    form1->TB_SetClick(*form1);
    ASSERT_TRUE(PumpUntil([&] { return ::GetFocus() == start; })) << Describe(::GetFocus());
    ASSERT_TRUE(PressTo("Tab", f.btnClose->Handle()));
    ASSERT_TRUE(PressTo("Tab", tabs));
}

TEST_F(KeyboardNavigation, KeysInATreeEditInPlaceStayThere) {
    TempFolder shots;
    ::CreateDirectoryA((shots / "before").c_str(), nullptr);
    TKeshShTreeView& tree = *form2->KeshShTreeView1;
    form2->SelectPath(shots / "before");
    ASSERT_TRUE(PressTo("Tab", tree.Handle()));
    HWND edit = TreeView_EditLabel(tree.Handle(), tree.Selected()->Item());
    ASSERT_NE(edit, nullptr);
    ASSERT_TRUE(PumpUntil([&] { return ::GetFocus() == edit; }));

    // Tab and the arrows belong to the edit; Escape ends it without renaming. (Enter ending it
    // with the new name is the folder browser's own test.)
    ASSERT_TRUE(Press("Tab shift+Tab Left ctrl+Tab", [] { return true; }));
    PumpFor(std::chrono::milliseconds(500));
    ASSERT_EQ(::GetFocus(), edit) << Describe(::GetFocus());
    EXPECT_EQ(form2->PageControl1->ActivePageIndex(), 0);
    ::SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("after"));
    ASSERT_TRUE(Press("Escape", [&] { return !::IsWindow(edit); }));
    EXPECT_TRUE(DirectoryExists(shots / "before"));
    EXPECT_FALSE(DirectoryExists(shots / "after"));
    EXPECT_TRUE(form2->Visible());
}
