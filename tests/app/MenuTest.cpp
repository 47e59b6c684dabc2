#include <gtest/gtest.h>

#include "tests/support/ProgramForms.h"

using MainMenu = ProgramForms;

TEST_F(MainMenu, ThirteenItemsInOrderWithADisabledDefaultTitle) {
    const std::vector<std::string> captions = {"Pictavo",
                                               "-",
                                               "画面全体をキャプチャ",
                                               "アクティブなウインドウだけをキャプチャ",
                                               "-",
                                               "動画撮影開始",
                                               "動画撮影終了",
                                               "-",
                                               "設定",
                                               "-",
                                               "バージョン情報",
                                               "-",
                                               "終了"};
    const auto& items = form1->TBPopupMenu1->Items();
    ASSERT_EQ(items.size(), captions.size());
    for (size_t i = 0; i < items.size(); ++i) EXPECT_EQ(items[i]->Caption(), captions[i]) << i;
    EXPECT_FALSE(form1->TB_PopUp_Title->Enabled());
    EXPECT_TRUE(form1->TB_PopUp_Title->Default());
    EXPECT_FALSE(form1->TB_MovieCaptureEnd->Enabled()) << "nothing to end before a recording";
}

TEST_F(MainMenu, SettingsWindowSwitchesTheModes) {
    // Setting mode: all four capture items off while the settings window is shown.
    form1->TB_Capture_ALL->SetEnabled(true);
    form2->Show();
    for (TMenuItem* item :
         {form1->TB_Capture_ALL, form1->TB_Capture_Active, form1->TB_MovieCaptureStart, form1->TB_MovieCaptureEnd}) {
        EXPECT_FALSE(item->Enabled()) << item->Caption();
    }
    EXPECT_FALSE(form1->Enabled());
    // Hidden in JPEG mode: the still items; in AVI mode: only the movie start.
    form2->rgMode->SetItemIndex(kModeJpeg);
    form2->Hide();
    EXPECT_TRUE(form1->TB_Capture_ALL->Enabled());
    EXPECT_TRUE(form1->TB_Capture_Active->Enabled());
    EXPECT_FALSE(form1->TB_MovieCaptureStart->Enabled());
    form2->Show();
    form2->rgMode->SetItemIndex(kModeAvi);
    form2->Hide();
    EXPECT_FALSE(form1->TB_Capture_ALL->Enabled());
    EXPECT_TRUE(form1->TB_MovieCaptureStart->Enabled());
    EXPECT_FALSE(form1->TB_MovieCaptureEnd->Enabled());
    EXPECT_TRUE(form1->TB_Set->Enabled());
}
