// The hidden main window as start-up makes it: it covers nothing and takes no click, however
// it is shown or maximised, and its icon waits for a shell that is not up yet.
#include <gtest/gtest.h>

#include "desktop/TCallbackWindow.h"
#include "tests/app/ForeignWindow.h"
#include "tests/desktop/ShellRecorder.h"
#include "tests/support/BoxRecorder.h"
#include "tests/support/HeldHotKey.h"
#include "tests/support/ProgramForms.h"
#include "tests/support/ScreenSearch.h"
#include "toolkit/PumpMessages.h"

namespace {
using MainWindow = ProgramForms;

// The program made while the shell has no notification area yet, as at logon.
class ShellNotUp : public ProgramForms {
protected:
    void SetUp() override {
        shell.SetShellDown(true);
        ProgramForms::SetUp();
    }
    static void ShellSaysTheAreaIsBuilt() {
        ::PostMessageA(HWND_BROADCAST, ::RegisterWindowMessageA("TaskbarCreated"), 0, 0);
    }
    ShellRecorder shell{false};
    BoxRecorder boxes;
};
}  // namespace

TEST_F(MainWindow, CoversNothingAndPassesAClickAtTheScreensCentreToTheWindowBeneath) {
    const POINT centre{::GetSystemMetrics(SM_CXSCREEN) / 2, ::GetSystemMetrics(SM_CYSCREEN) / 2};
    ForeignWindow document(
        ForeignWindow::Document(RGB(30, 160, 60), {centre.x - 200, centre.y - 150, centre.x + 200, centre.y + 150}));
    ASSERT_NE(document.Handle(), nullptr);
    // Shown once as the loop starts, in shooting mode; then maximised the ways Windows may
    // do it: the first show of a program started maximised, its own state set back after a
    // still, a move.
    form1->Show();
    form2->Hide();
    const std::function<void()> maximising[] = {
        [&] { ::ShowWindow(form1->Handle(), SW_SHOWMAXIMIZED); },
        [&] {
            form1->SetWindowState(TWindowState::wsMinimized);
            form1->SetWindowState(TWindowState::wsMaximized);
        },
        [&] { ::SetWindowPos(form1->Handle(), nullptr, 0, 0, centre.x * 2, centre.y * 2, SWP_NOZORDER); },
    };
    for (size_t way = 0; way < std::size(maximising); ++way) {
        SCOPED_TRACE(way);
        maximising[way]();
        RECT rect{};
        ::GetWindowRect(form1->Handle(), &rect);
        EXPECT_TRUE(::IsRectEmpty(&rect)) << rect.left << "," << rect.top << " " << rect.right << "," << rect.bottom;
        // In front, as while the tray menu is open; a click at the centre reaches the document.
        ::SetForegroundWindow(form1->Handle());
        ASSERT_TRUE(PumpUntil([&] { return ::GetForegroundWindow() == form1->Handle(); }));
        ASSERT_TRUE(RunHostCommand(ClickAt(centre.x, centre.y)));
        // The document's own program activates it, late on a busy machine.
        EXPECT_TRUE(PumpUntil([&] { return ::GetForegroundWindow() == document.Handle(); }, std::chrono::seconds(20)))
            << "under the pointer: " << ClassOf(::WindowFromPoint(centre));
    }
}

TEST_F(ShellNotUp, TheProgramGoesOnAndItsIconAppearsWithTheShell) {
    TTrayIcon& icon = *form1->TrayIcon1;
    EXPECT_TRUE(icon.Visible());
    EXPECT_FALSE(icon.Registered());
    shell.SetShellDown(false);
    ShellSaysTheAreaIsBuilt();
    ASSERT_TRUE(PumpUntil([&] { return icon.Registered(); }));
    EXPECT_TRUE(boxes.Boxes().empty());

    // The shell restarts and is slow to take icons: after the wait the user is told once,
    // and a later retry finds the icon that the slow shell took meanwhile.
    shell.SetShellDown(true);
    icon.SetRetryInterval(50);
    icon.SetWaitLimit(200);
    ShellSaysTheAreaIsBuilt();
    ASSERT_TRUE(PumpUntil([&] { return boxes.Boxes().size() == 1; }));
    EXPECT_EQ(boxes.Boxes()[0].type, TMsgDlgType::mtWarning);
    PumpFor(std::chrono::milliseconds(300));
    EXPECT_FALSE(icon.Registered());
    shell.SetShellDown(false);
    shell.Refuse(NIM_ADD);
    ASSERT_TRUE(PumpUntil([&] { return icon.Registered(); }));
    EXPECT_EQ(boxes.Boxes().size(), 1u);

    // A retry that was already queued when the wait ended changes nothing.
    shell.Clear();
    ::PostMessageA(TTrayIcon::CallbackWindow()->Handle(), WM_TIMER, icon.IconNumber(), 0);
    PumpMessages();
    EXPECT_TRUE(icon.Registered());
    EXPECT_FALSE(icon.WaitingForShell());
    EXPECT_EQ(shell.Count(), 0u);
}

TEST_F(MainWindow, ConfirmedKeysReplaceTheKeysConfirmedBefore) {
    TShortCuts keys = {scCtrl | scAlt | 'F', scCtrl | scAlt | 'A', scCtrl | scAlt | 'S', scCtrl | scAlt | 'E'};
    form2->OnShortCutsConfirmed(*form2, keys);
    // The still key changed, the movie's end cleared.
    keys[0] = scCtrl | scAlt | 'G';
    keys[3] = 0;
    form2->OnShortCutsConfirmed(*form2, keys);
    EXPECT_TRUE(FreeToRegister(MOD_CONTROL | MOD_ALT, 'F'));
    EXPECT_TRUE(FreeToRegister(MOD_CONTROL | MOD_ALT, 'E'));
    EXPECT_FALSE(FreeToRegister(MOD_CONTROL | MOD_ALT, 'G'));
    EXPECT_FALSE(FreeToRegister(MOD_CONTROL | MOD_ALT, 'A'));

    // One key given to two commands: the first keeps it, the second is named as its twin.
    keys[3] = keys[0];
    BoxRecorder boxes;
    form2->OnShortCutsConfirmed(*form2, keys);
    ASSERT_EQ(boxes.Texts().size(), 1u);
    EXPECT_NE(boxes.Texts()[0].find("Ctrl+Alt+G（動画撮影終了）：「画面全体をキャプチャ」と同じキーです"),
              std::string::npos)
        << Utf8(boxes.Texts()[0]);
}
