// The still capture as the program runs it: a menu command, the one-shot timer, the naming
// rule, the grab and the file, with the main window and settings window made as start-up
// makes them.
#include <gtest/gtest.h>

#include "tests/support/BmpSummary.h"
#include "tests/support/BoxRecorder.h"
#include "tests/support/DocumentWindow.h"
#include "tests/support/ProgramForms.h"
#include "tests/support/TestEnvironment.h"

namespace {
class StillFlow : public ProgramForms {
protected:
    void SetUp() override {
        ProgramForms::SetUp();
        form1->SaveFolder = folder.Path() + "\\";
        // Shooting mode in a still save mode, as the settings window leaves it.
        form1->TB_Capture_ALL->SetEnabled(true);
        form1->TB_Capture_Active->SetEnabled(true);
        form2->spnSetStartNum->SetValue(1);
        form2->spnSetEndNum->SetValue(999);
        // Showing the settings window puts the start number back into its spin box.
        form1->StartNumber = 1;
    }
    bool WaitForFile(const std::string& name) {
        return PumpUntil([&] { return PathExists(folder / name); });
    }
    TempFolder folder;
};
}  // namespace

TEST_F(StillFlow, WholeScreenStillIsWrittenUnderTheFirstFreeName) {
    WriteFileBytes(folder / "001.BMP", "taken");
    // Shown at start, the main window puts the settings window up; hiding that returns to
    // shooting mode.
    form1->Show();
    form2->Hide();
    form1->TB_Capture_ALL->Click();
    EXPECT_TRUE(PathExists(folder / "002.BMP") == false) << "the still waits for the timer";
    ASSERT_TRUE(WaitForFile("002.BMP"));
    BmpSummary info = ReadBmpSummary(folder / "002.BMP");
    EXPECT_EQ(info.width, ::GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(info.height, ::GetSystemMetrics(SM_CYSCREEN));
    // The main window is hidden for good and set back to maximised.
    EXPECT_FALSE(::IsWindowVisible(form1->Handle()));
    EXPECT_EQ(form1->WindowState(), TWindowState::wsMaximized);
    EXPECT_FALSE(form1->Timer1->Enabled());
}

TEST_F(StillFlow, ActiveWindowStillGrabsTheRememberedWindowWithItsFrame) {
    DocumentWindow document(RGB(200, 30, 40));
    LastActiveWindow = document.Handle();
    form1->TB_Capture_Active->Click();
    ASSERT_TRUE(WaitForFile("001.BMP"));
    RECT outer;
    ::GetWindowRect(document.Handle(), &outer);
    BmpSummary info = ReadBmpSummary(folder / "001.BMP");
    EXPECT_EQ(info.width, outer.right - outer.left);
    EXPECT_EQ(info.height, outer.bottom - outer.top);
    LastActiveWindow = nullptr;
}

TEST_F(StillFlow, JpegModeWritesAJpegFile) {
    form2->rgMode->SetItemIndex(TForm2::kModeJpeg);
    form1->TB_Capture_ALL->Click();
    ASSERT_TRUE(WaitForFile("001.JPEG"));
    EXPECT_EQ(ReadFileBytes(folder / "001.JPEG").substr(0, 2), "\xFF\xD8");
}

TEST_F(StillFlow, SecondCommandBeforeTheTickTakesOneStillOfTheLaterKind) {
    DocumentWindow document(RGB(20, 160, 40));
    LastActiveWindow = document.Handle();
    form1->TB_Capture_ALL->Click();
    form1->TB_Capture_Active->Click();
    ASSERT_TRUE(WaitForFile("001.BMP"));
    PumpFor(std::chrono::milliseconds(200));
    EXPECT_FALSE(PathExists(folder / "002.BMP"));
    RECT outer;
    ::GetWindowRect(document.Handle(), &outer);
    EXPECT_EQ(ReadBmpSummary(folder / "001.BMP").width, outer.right - outer.left);
    LastActiveWindow = nullptr;
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

TEST_F(StillFlow, ActiveStillOfAGoneWindowIsReportedAsNotWritten) {
    BoxRecorder boxes;
    {
        DocumentWindow document(RGB(0, 0, 255));
        LastActiveWindow = document.Handle();
    }
    form1->TB_Capture_Active->Click();
    ASSERT_TRUE(PumpUntil([&] { return !boxes.Boxes().empty(); }));
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"ファイルを出力できませんでした"});
    EXPECT_FALSE(PathExists(folder / "001.BMP"));
    EXPECT_EQ(form1->WindowState(), TWindowState::wsMaximized);
    LastActiveWindow = nullptr;
}

TEST_F(StillFlow, WithoutASaveFolderTheStillGoesToTheCurrentDirectory) {
    form1->SaveFolder.clear();
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
