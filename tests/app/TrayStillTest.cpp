// The main window's desktop parts as the program wires them: the tray icon with its menu
// and animation pictures, the hotkeys, the foreground watcher, and the active-window still
// chosen from the real tray menu with the real pointer.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "tests/app/ChooseFromMenu.h"
#include "tests/app/ForeignWindow.h"
#include "tests/support/BmpSummary.h"
#include "tests/support/ProgramForms.h"
#include "tests/support/ScreenSearch.h"
#include "tests/support/TestEnvironment.h"
#include "toolkit/TForm.h"

namespace {
using TrayStill = ProgramForms;
}  // namespace

TEST_F(TrayStill, MainWindowWiresTheDesktopComponents) {
    TTrayIcon* tray = form1->TrayIcon1;
    EXPECT_EQ(tray->TipHelp(), "Pictavo");
    EXPECT_EQ(tray->LBPopupMenu(), form1->TBPopupMenu1);
    EXPECT_EQ(tray->RBPopupMenu(), form1->TBPopupMenu1);
    EXPECT_TRUE(tray->Visible());
    EXPECT_TRUE(tray->Registered()) << "the icon is in the notification area after creation";
    EXPECT_TRUE(tray->Icon().Empty()) << "the application's icon is shown";
    ASSERT_EQ(tray->AnimateIcons(), form1->TBImageList1);
    EXPECT_EQ(form1->TBImageList1->Count(), 2);
    EXPECT_EQ(form1->TBImageList1->Width(), 32);
    EXPECT_EQ(form1->TBImageList1->Height(), 32);
    EXPECT_TRUE(tray->OnClick != nullptr);
    EXPECT_TRUE(form1->ActiveWindow1->Watching());
    EXPECT_TRUE(form1->HookHotKey1->Activate());

    // A registered key reaches the menu item of its index.
    int clicks = 0;
    form1->TB_Capture_ALL->OnClick = [&](TObject&) { ++clicks; };
    form1->TB_Capture_ALL->SetEnabled(true);
    ASSERT_TRUE(form1->HookHotKey1->RegisterShortCut(0, scCtrl | scAlt | 'F'));
    ASSERT_TRUE(RunHostCommand("xdotool search --name 'Wine desktop' windowfocus --sync key ctrl+alt+f"));
    EXPECT_TRUE(PumpUntil([&] { return clicks == 1; }));
}

TEST_F(TrayStill, ActiveWindowStillFromTheTrayMenuTakesTheDocumentTheUserWasIn) {
    TempFolder folder;
    form1->SetSaveFolder(folder.Path() + "\\");
    form1->TB_Capture_ALL->SetEnabled(true);
    form1->TB_Capture_Active->SetEnabled(true);
    form2->spnSetStartNum->SetValue(1);
    form2->spnSetEndNum->SetValue(999);
    TIcon findable;
    findable.SetHandle(MakeSolidIcon(RGB(255, 0, 255)));
    form1->TrayIcon1->SetIcon(&findable);

    const COLORREF paper = RGB(30, 160, 60);
    ForeignWindow document(ForeignWindow::Document(paper));
    ::SetForegroundWindow(document.Handle());
    ASSERT_TRUE(PumpUntil([&] { return ::GetForegroundWindow() == document.Handle(); }));

    RECT icon{};
    ASSERT_TRUE(PumpUntil([&] { return (icon = FindColourOnScreen("#FF00FF")).right > 0; }, std::chrono::seconds(20)));

    // While the menu is open (the user's thread is inside it), another thread plays the
    // user: it clicks the item with the pointer as soon as the menu shows.
    std::atomic<bool> chosen{false};
    std::atomic<HWND> foregroundWhileOpen{nullptr};
    std::thread user([&] {
        if (!WaitForOpenMenu()) return;
        foregroundWhileOpen = ::GetForegroundWindow();
        chosen = ChooseFromOpenMenu("アクティブなウインドウだけをキャプチャ");
    });
    ASSERT_TRUE(RunHostCommand(ClickAt((icon.left + icon.right) / 2, (icon.top + icon.bottom) / 2)));
    const bool written = PumpUntil([&] { return PathExists(folder / "001.BMP"); }, std::chrono::seconds(30));
    user.join();
    ASSERT_TRUE(chosen) << "the menu did not open, or its item was not found";
    EXPECT_EQ(foregroundWhileOpen.load(), form1->Handle()) << "the main window comes forward for the menu";
    ASSERT_TRUE(written);

    EXPECT_EQ(form1->LastActiveWindow(), document.Handle()) << "remembered when the main window came forward";
    const RECT outer = document.OuterRect();
    const BmpSummary bmp = ReadBmpSummary(folder / "001.BMP");
    EXPECT_EQ(bmp.width, outer.right - outer.left) << "the document with its frame, not the menu or the screen";
    EXPECT_EQ(bmp.height, outer.bottom - outer.top);
    EXPECT_EQ(bmp.centre, paper);
}
