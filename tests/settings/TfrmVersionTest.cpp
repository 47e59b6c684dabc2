#include <gtest/gtest.h>

#include <set>
#include <string>

#include "settings/TfrmVersion.h"
#include "tests/support/PixelCanvas.h"
#include "tests/support/ProgramForms.h"
#include "tests/support/TestEnvironment.h"
#include "toolkit/TIcon.h"

namespace {
std::string Fixture(const std::string& name) {
    std::string path = TfrmVersion::ExecutablePath();
    return path.substr(0, path.rfind('\\') + 1) + "fixtures\\" + name + ".dll";
}
}  // namespace

TEST(VersionDialog, ShowsTheProgramsNameVersionAndIcon) {
    TfrmVersion dialog(nullptr);
    EXPECT_EQ(dialog.Label1->Caption(), "Pictavo");
    EXPECT_EQ(dialog.Label2->Caption(), "Version: 3.0.0");
    ASSERT_FALSE(dialog.Image2->Picture().Empty());
    EXPECT_NE(dynamic_cast<TIcon*>(dialog.Image2->Picture().Graphic()), nullptr);
    EXPECT_EQ(dialog.Image2->Width(), 32);
    EXPECT_EQ(dialog.Image2->Height(), 32);
    // Right-aligned: the longer text grew to the left.
    EXPECT_EQ(dialog.Label2->Left() + dialog.Label2->Width(), 324);
}

TEST(VersionDialog, WithoutVersionResourceShowsNoNameAndABareVersionPrefix) {
    TfrmVersion dialog(nullptr, Fixture("NoVersion"));
    EXPECT_EQ(dialog.Label1->Caption(), "");
    EXPECT_EQ(dialog.Label2->Caption(), "Version: ");
    EXPECT_FALSE(dialog.Image2->Picture().Empty());
}

TEST(VersionDialog, WithoutTranslationEntryStopsQuietlyBeforeTheIcon) {
    // No box appears (the test run fails on any unexpected one).
    TfrmVersion dialog(nullptr, Fixture("NoTranslation"));
    EXPECT_EQ(dialog.Label1->Caption(), "");
    EXPECT_EQ(dialog.Label2->Caption(), "");
    EXPECT_TRUE(dialog.Image2->Picture().Empty());
}

TEST(VersionDialog, IsLaidOutAsASmallFixedDialog) {
    TfrmVersion dialog(nullptr);
    EXPECT_EQ(dialog.Caption(), "バージョン情報");
    EXPECT_EQ(dialog.ClientWidth(), 345);
    EXPECT_EQ(dialog.ClientHeight(), 224);
    LONG style = ::GetWindowLongA(dialog.Handle(), GWL_STYLE);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));
    EXPECT_EQ(dialog.Font().Name(), "ＭＳ Ｐゴシック");
    EXPECT_EQ(dialog.Font().Height(), 12);

    // Right-aligned under the name, the version keeps its right edge at 324.
    EXPECT_EQ(dialog.Label2->Left() + dialog.Label2->Width(), 324);
    EXPECT_GT(dialog.Label2->Top(), dialog.Label1->Top() + dialog.Label1->Height() - 1);
    EXPECT_LT(dialog.btnClose->Top() + dialog.btnClose->Height(), 224);

    // Every credit line fits on the panel.
    for (int i = 0; i < dialog.ComponentCount(); ++i) {
        auto* control = dynamic_cast<TWinControl*>(dialog.Components(i));
        if (!control || control->Parent() != dialog.Panel1) continue;
        EXPECT_LE(control->Left() + control->Width(), 241) << Utf8(control->Caption());
        EXPECT_LE(control->Top() + control->Height(), 105) << Utf8(control->Caption());
    }
}

TEST(VersionDialog, CreditLinksAreBlueWithoutPopUpAndLeadToDistinctPages) {
    TfrmVersion dialog(nullptr);
    std::set<std::string> targets;
    for (TURLLink* link : {dialog.URLLink1, dialog.URLLink2, dialog.URLLink3, dialog.URLLink4}) {
        SCOPED_TRACE(Utf8(link->Caption()));
        EXPECT_EQ(link->Parent(), dialog.Panel1);
        EXPECT_EQ(link->Font().Color(), clBlue);
        EXPECT_FALSE(link->EnableShowHint());
        EXPECT_EQ(link->Link().rfind("https://", 0), 0u);
        targets.insert(link->Link());
    }
    EXPECT_EQ(targets.size(), 4u);
    // The plain label follows the maker's link on the same line.
    EXPECT_EQ(dialog.lblMaker->Top(), dialog.URLLink1->Top());
    EXPECT_GE(dialog.lblMaker->Left(), dialog.URLLink1->Left() + dialog.URLLink1->Width());
}

// The dialog among the program's windows, made in start-up order.
class VersionDialogInProgram : public ProgramForms {
protected:
    void SetUp() override {
        form1 = new TForm1(&TApplication::Instance());
        dialog = new TfrmVersion(&TApplication::Instance());
        MakeSettingsWindow();
    }
    void TearDown() override {
        delete dialog;
        ProgramForms::TearDown();
    }
    TfrmVersion* dialog = nullptr;
};

TEST_F(VersionDialogInProgram, TrayItemShowsItAndEveryWayOfClosingEnablesTheSettingsWindowAgain) {
    EXPECT_EQ(frmVersion, dialog);
    form2->Show();
    // The close button, then the title bar's close box.
    for (bool byButton : {true, false}) {
        form1->TB_Version->Click();
        EXPECT_TRUE(::IsWindowVisible(dialog->Handle()));
        EXPECT_FALSE(form2->Enabled());
        if (byButton) {
            dialog->btnClose->Click();
        } else {
            ::SendMessageA(dialog->Handle(), WM_CLOSE, 0, 0);
        }
        EXPECT_FALSE(::IsWindowVisible(dialog->Handle()));
        EXPECT_TRUE(form2->Enabled());
        EXPECT_TRUE(form2->Visible());
        // Shown again unchanged.
        EXPECT_EQ(dialog->Label1->Caption(), "Pictavo");
    }
}

TEST_F(VersionDialogInProgram, ClosingWhileTheSettingsWindowIsHiddenLeavesItHidden) {
    ASSERT_FALSE(form2->Visible());
    form1->TB_Version->Click();
    EXPECT_FALSE(form2->Enabled());
    dialog->Close();
    EXPECT_TRUE(form2->Enabled());
    EXPECT_FALSE(form2->Visible());
    EXPECT_FALSE(form2->HandleAllocated() && ::IsWindowVisible(form2->Handle()));
}

TEST(VersionDialog, IsCentredOnTheScreen) {
    TfrmVersion dialog(nullptr);
    dialog.Show();
    RECT window;
    ::GetWindowRect(dialog.Handle(), &window);
    EXPECT_NEAR((window.left + window.right) / 2, ::GetSystemMetrics(SM_CXSCREEN) / 2, 1);
    EXPECT_NEAR((window.top + window.bottom) / 2, ::GetSystemMetrics(SM_CYSCREEN) / 2, 1);
}
