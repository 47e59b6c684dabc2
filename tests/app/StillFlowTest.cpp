// The still capture as the program runs it: a menu command, the one-shot timer, the naming
// rule, the grab and the file, with the main window and settings window made as start-up
// makes them.
#include <gtest/gtest.h>

#include <utility>

#include "tests/app/ForeignWindow.h"
#include "tests/support/BmpSummary.h"
#include "tests/support/BoxRecorder.h"
#include "tests/support/DocumentWindow.h"
#include "tests/support/ProgramForms.h"
#include "tests/support/TestEnvironment.h"
#include "toolkit/TUtilityWindow.h"

namespace {
class StillFlow : public ProgramForms {
protected:
    void SetUp() override {
        ProgramForms::SetUp();
        form1->SetSaveFolder(folder.Path() + "\\");
        // Shooting mode in a still save mode, as the settings window leaves it.
        form1->TB_Capture_ALL->SetEnabled(true);
        form1->TB_Capture_Active->SetEnabled(true);
        form2->spnSetStartNum->SetValue(1);
        form2->spnSetEndNum->SetValue(999);
        // Showing the settings window puts the start number back into its spin box.
        form1->SetStartNumber(1);
    }
    bool WaitForFile(const std::string& name) {
        return PumpUntil([&] { return PathExists(folder / name); }, std::chrono::seconds(20));
    }
    TempFolder folder;
};
}  // namespace

TEST_F(StillFlow, WholeScreenStillIsWrittenUnderTheFirstFreeNameInTheSaveModesFormat) {
    struct Case {
        int mode;
        std::string taken, written, start;
    };
    const Case cases[] = {{kModeBmp, "001.BMP", "002.BMP", "BM"}, {kModeJpeg, "", "001.JPEG", "\xFF\xD8"}};
    // Shown at start, the main window puts the settings window up; hiding that returns to
    // shooting mode.
    form1->Show();
    form2->Hide();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.written);
        form2->rgMode->SetItemIndex(c.mode);
        if (!c.taken.empty()) WriteFileBytes(folder / c.taken, "taken");
        form1->TB_Capture_ALL->Click();
        EXPECT_FALSE(PathExists(folder / c.written)) << "the still waits for the timer";
        ASSERT_TRUE(WaitForFile(c.written));
        EXPECT_EQ(ReadFileBytes(folder / c.written).substr(0, c.start.size()), c.start);
        EXPECT_EQ(
            HostCommandOutput("identify -format '%w %h' '" + UnixPath(folder / c.written) + "'"),
            std::to_string(::GetSystemMetrics(SM_CXSCREEN)) + " " + std::to_string(::GetSystemMetrics(SM_CYSCREEN)));
        // The main window is hidden for good and set back to maximised.
        EXPECT_FALSE(::IsWindowVisible(form1->Handle()));
        EXPECT_EQ(form1->WindowState(), TWindowState::wsMaximized);
        EXPECT_FALSE(form1->Timer1->Enabled());
    }
}

TEST_F(StillFlow, ActiveWindowStillTakesTheDocumentTheUserWasInWithItsFrame) {
    ForeignWindow behind(ForeignWindow::Document(RGB(200, 30, 40), {60, 60, 500, 400}));
    ForeignWindow document(ForeignWindow::Document(RGB(20, 160, 40)));
    ASSERT_TRUE(behind.Handle() && document.Handle());
    TActiveWindow& watcher = *form1->ActiveWindow1;
    // The user works in the green document...
    ::SetForegroundWindow(document.Handle());
    ASSERT_TRUE(PumpUntil([&] { return watcher.ActWnd() == document.Handle(); }));
    // ...clicks the taskbar, and the main window comes forward for the tray menu: the last
    // window the watcher saw before the main window is the taskbar.
    HWND taskbar = ::FindWindowA("Shell_TrayWnd", nullptr);
    ::SetForegroundWindow(taskbar);
    ASSERT_TRUE(PumpUntil([&] { return watcher.ActWnd() == taskbar; }));
    bool mainInFront = false;
    watcher.OnActiveOn = [&, previous = watcher.OnActiveOn](TObject& sender) {
        previous(sender);
        mainInFront = true;
    };
    ::SetForegroundWindow(form1->Handle());
    ASSERT_TRUE(PumpUntil([&] { return mainInFront; }));

    form1->TB_Capture_Active->Click();
    ASSERT_TRUE(WaitForFile("001.BMP"));
    const RECT outer = document.OuterRect();
    BmpSummary info = ReadBmpSummary(folder / "001.BMP");
    EXPECT_EQ(info.width, outer.right - outer.left);
    EXPECT_EQ(info.height, outer.bottom - outer.top);
    EXPECT_EQ(info.centre, RGB(20, 160, 40));

    // The user moves to the red window and presses the key before the watcher has seen it
    // (here: before it polls again at all); the main window comes forward for the key.
    watcher.SetWatching(false);
    ::SetForegroundWindow(behind.Handle());
    ASSERT_TRUE(PumpUntil([&] { return ::GetForegroundWindow() == behind.Handle(); }));
    ASSERT_TRUE(form1->HookHotKey1->RegisterShortCut(1, scCtrl | scAlt | 'A'));
    BoxRecorder boxes;
    int hotkeysSeen = 0;
    form1->HookHotKey1->OnHotKey = [&, previous = form1->HookHotKey1->OnHotKey](TObject& sender, int index) {
        ++hotkeysSeen;
        previous(sender, index);
    };
    ASSERT_TRUE(SendKeys({VK_CONTROL, VK_MENU, 'A'}));
    ASSERT_TRUE(WaitForFile("002.BMP")) << hotkeysSeen << " hotkeys, " << boxes.Boxes().size() << " boxes, the first: "
                                        << (boxes.Boxes().empty() ? "" : Utf8(boxes.Texts().front()));
    EXPECT_EQ(ReadBmpSummary(folder / "002.BMP").centre, RGB(200, 30, 40));

    // The window is chosen with the command. Another window that comes to the front before
    // the tick (as when the system activates the topmost window while the main window
    // hides), and that the watcher reports, is not taken instead.
    watcher.SetWatching(true);
    ::SetForegroundWindow(behind.Handle());
    ASSERT_TRUE(PumpUntil([&] { return watcher.ActWnd() == behind.Handle(); }));
    form1->TB_Capture_Active->Click();
    form1->Timer1->SetEnabled(false);
    ::SetForegroundWindow(document.Handle());
    ASSERT_TRUE(PumpUntil([&] { return watcher.ActWnd() == document.Handle(); }));
    form1->Timer1->SetEnabled(true);
    ASSERT_TRUE(WaitForFile("003.BMP"));
    EXPECT_EQ(ReadBmpSummary(folder / "003.BMP").centre, RGB(200, 30, 40));
    // Once taken, the watcher's reports count again.
    ::SetForegroundWindow(behind.Handle());
    ASSERT_TRUE(PumpUntil([&] { return watcher.ActWnd() == behind.Handle(); }));
    ::SetForegroundWindow(document.Handle());
    EXPECT_TRUE(PumpUntil([&] { return form1->LastActiveWindow() == document.Handle(); }));
}

TEST_F(StillFlow, SecondCommandBeforeTheTickTakesOneStillOfTheLaterKindAndDuringTheTakeOneAfterIt) {
    ForeignWindow document(ForeignWindow::Document(RGB(20, 160, 40)));
    ::SetForegroundWindow(document.Handle());
    ASSERT_TRUE(PumpUntil([&] { return form1->ActiveWindow1->ActWnd() == document.Handle(); }));
    form1->TB_Capture_ALL->Click();
    form1->TB_Capture_Active->Click();
    ASSERT_TRUE(WaitForFile("001.BMP"));
    PumpFor(std::chrono::milliseconds(200));
    EXPECT_FALSE(PathExists(folder / "002.BMP"));
    const RECT outer = document.OuterRect();
    EXPECT_EQ(ReadBmpSummary(folder / "001.BMP").width, outer.right - outer.left);

    // A command while a still is being taken (its waits run the messages that come): a
    // still of its own afterwards; the one being taken keeps its kind, window and name.
    TUtilityWindow commander([this, &commander](UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
        if (message == WM_APP) form1->TB_Capture_ALL->Click();
        return ::DefWindowProcA(commander.Handle(), message, wParam, lParam);
    });
    bool posted = false;
    form1->Timer1->SetOnTimer([&](TObject& sender) {
        if (!std::exchange(posted, true)) ::PostMessageA(commander.Handle(), WM_APP, 0, 0);
        form1->Timer1Timer(sender);
    });
    form1->TB_Capture_Active->Click();
    ASSERT_TRUE(WaitForFile("003.BMP"));
    EXPECT_EQ(ReadBmpSummary(folder / "002.BMP").width, outer.right - outer.left);
    EXPECT_EQ(ReadBmpSummary(folder / "003.BMP").width, ::GetSystemMetrics(SM_CXSCREEN));
}

TEST_F(StillFlow, UsedUpRangeShowsTwoBoxesInTurnAndWritesNothing) {
    BoxRecorder boxes;
    form2->spnSetStartNum->SetValue(4);
    form2->spnSetEndNum->SetValue(4);
    WriteFileBytes(folder / "004.BMP", "taken");
    form1->TB_Capture_ALL->Click();
    ASSERT_TRUE(PumpUntil([&] { return boxes.Boxes().size() == 2; }));
    EXPECT_EQ(boxes.Texts(), (std::vector<std::string>{"番号を使い終わりました", "ファイルを出力できませんでした"}));
    EXPECT_EQ(boxes.Boxes()[1].caption, "警告");
    EXPECT_EQ(ReadFileBytes(folder / "004.BMP"), "taken");
}

TEST_F(StillFlow, ActiveStillWithNoWindowOfTheUserLeftIsReportedAsNotWritten) {
    BoxRecorder boxes;
    ForeignWindow document(ForeignWindow::Document(RGB(0, 0, 255)));
    ::SetForegroundWindow(document.Handle());
    // Remembered, then gone.
    ASSERT_TRUE(PumpUntil([&] { return form1->LastActiveWindow() == document.Handle(); }));
    document.Close();
    // Only a window of the program itself is in front, and the taskbar behind it.
    DocumentWindow own(RGB(0, 0, 255));
    ::SetForegroundWindow(own.Handle());
    form1->TB_Capture_Active->Click();
    ASSERT_TRUE(PumpUntil([&] { return !boxes.Boxes().empty(); }));
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"ファイルを出力できませんでした"});
    EXPECT_FALSE(PathExists(folder / "001.BMP"));
    EXPECT_EQ(form1->WindowState(), TWindowState::wsMaximized);
}

TEST_F(StillFlow, WithoutASaveFolderTheStillGoesToTheCurrentDirectory) {
    form1->SetSaveFolder("");
    char previous[MAX_PATH];
    ::GetCurrentDirectoryA(MAX_PATH, previous);
    ::SetCurrentDirectoryA(folder.Path().c_str());
    form1->TB_Capture_ALL->Click();
    bool written = WaitForFile("001.BMP");
    ::SetCurrentDirectoryA(previous);
    EXPECT_TRUE(written);
}

TEST_F(StillFlow, HotkeysClickOnlyTheirEnabledItems) {
    int clicks[4] = {};
    TMenuItem* items[] = {form1->TB_Capture_ALL, form1->TB_Capture_Active, form1->TB_MovieCaptureStart,
                          form1->TB_MovieCaptureEnd};
    for (int i = 0; i < 4; ++i) {
        items[i]->OnClick = [&clicks, i](TObject&) { ++clicks[i]; };
        items[i]->SetEnabled(i % 2 == 0);
    }
    for (int index = -1; index <= 4; ++index) form1->HookHotKey1HotKey(*form1, index);
    EXPECT_EQ(clicks[0], 1);
    EXPECT_EQ(clicks[1], 0);
    EXPECT_EQ(clicks[2], 1);
    EXPECT_EQ(clicks[3], 0);
}
