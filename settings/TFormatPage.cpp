#include "settings/TFormatPage.h"

#include <initializer_list>

#include "settings/ControlPlacing.h"

namespace {
constexpr int kShortCutGroupHeight = 146;
}  // namespace

void TFormatPage::BuildFormatPage(TComponent* owner, TTabSheet* page) {
    const int width = page->ClientWidth();
    const int height = page->ClientHeight();
    grpFileName =
        Place<TGroupBox>(owner, page, 4, 4, width - 8, height - 12 - kShortCutGroupHeight, "ファイル名の指定");
    TGroupBox* group = grpFileName;
    chkAddWordBefore = Place<TCheckBox>(owner, group, 12, 22, 168, 20, "連番の前に文字をつける");
    txtAddWordBefore = Place<TEdit>(owner, group, 184, 21, 130, 21);
    chkAddWordAfter = Place<TCheckBox>(owner, group, 12, 50, 168, 20, "連番の後に文字をつける");
    txtAddWordAfter = Place<TEdit>(owner, group, 184, 49, 130, 21);
    chkNumberLock = Place<TCheckBox>(owner, group, 12, 78, 84, 20, "桁固定する");
    spnNumberLock = PlaceSpin(owner, group, 100, 77, 40, 1, 9, false, 1);
    chkNumLockZero = Place<TCheckBox>(owner, group, 184, 78, 120, 20, "０埋めする");
    chkSetStartNum = Place<TCheckBox>(owner, group, 12, 106, 168, 20, "開始番号指定");
    spnSetStartNum = PlaceSpin(owner, group, 184, 105, 56, 0, 999, true, 3);
    chkSetEndNum = Place<TCheckBox>(owner, group, 12, 134, 168, 20, "終了番号指定");
    spnSetEndNum = PlaceSpin(owner, group, 184, 133, 56, 0, 999, true, 3);
    rgMode = Place<TRadioGroup>(owner, group, 12, 164, 302, 44, "保存形式");
    rgMode->SetColumns(3);
    rgMode->SetItems({SaveModeCaption(kModeBmp), SaveModeCaption(kModeJpeg), SaveModeCaption(kModeAvi)});
    lblCaution = Place<TLabel>(owner, group, 12, 218, 300, 30);
    lblCaution->Font().SetBold(true);

    Couple(chkAddWordBefore, {txtAddWordBefore});
    Couple(chkAddWordAfter, {txtAddWordAfter});
    Couple(chkNumberLock, {spnNumberLock, chkNumLockZero});
    Couple(chkSetStartNum, {spnSetStartNum});
    Couple(chkSetEndNum, {spnSetEndNum});

    grpSample = Place<TGroupBox>(owner, group, 326, 16, group->Width() - 338, 74, "ファイル名サンプル");
    lblSampleWord = Place<TLabel>(owner, grpSample, 14, 18, 200, 48);
    BuildMovieControls(owner);
    BuildShortCutControls(owner, page);
}

void TFormatPage::BuildMovieControls(TComponent* owner) {
    const int width = grpFileName->Width() - 338;
    grpMovie = Place<TGroupBox>(owner, grpFileName, 326, 100, width, 108, "動画設定");
    lblMovieFramelate = Place<TLabel>(owner, grpMovie, 14, 24, 130, 14, "動画のフレームレート");
    spnFrameRate = PlaceSpin(owner, grpMovie, 150, 20, 48, 1, 10, false, 2);
    lblMovieInterval1 = Place<TLabel>(owner, grpMovie, 14, 52, 130, 14, "録画間隔");
    spnRecTime = PlaceSpin(owner, grpMovie, 150, 48, 60, 300, 5000, true, 4);
    lblMovieInterval2 = Place<TLabel>(owner, grpMovie, 216, 52, 40, 14, "ミリ秒");
    chkCompress =
        Place<TCheckBox>(owner, grpMovie, 12, 78, width - 18, 20, "圧縮する（撮影終了時にダイアログがでます）");
}

void TFormatPage::BuildShortCutControls(TComponent* owner, TTabSheet* page) {
    grpShortCut = Place<TGroupBox>(owner, page, 4, grpFileName->Top() + grpFileName->Height() + 4, grpFileName->Width(),
                                   kShortCutGroupHeight, "ショートカットキー設定");
    auto row = [this, owner](int top, const std::string& caption, TLabel*& label, THotKey*& hotKey) {
        label = Place<TLabel>(owner, grpShortCut, 20, top + 4, 200, 14, caption);
        hotKey = Place<THotKey>(owner, grpShortCut, 230, top, 160, 22);
    };
    row(22, "画面全体静止画撮影", lblStill1, hkStillAll);
    row(52, "アクティブウインドウ静止画撮影", lblStill2, hkStillActive);
    row(82, "動画撮影開始", lblMovie1, hkMovieStart);
    row(112, "動画撮影終了", lblMovie2, hkMovieEnd);
}

void TFormatPage::ShowModeState(const TNamingRule& rule) {
    lblSampleWord->SetCaption(rule.FileName(1) + "\r\n" + rule.FileName(20) + "\r\n" + rule.FileName(300));
    const bool movie = rule.saveMode == kModeAvi;
    for (TWinControl* control : std::initializer_list<TWinControl*>{
             spnFrameRate, spnRecTime, chkCompress, lblMovieFramelate, lblMovieInterval1, lblMovieInterval2, lblMovie1,
             lblMovie2, hkMovieStart, hkMovieEnd}) {
        control->SetEnabled(movie);
    }
    for (TWinControl* control : std::initializer_list<TWinControl*>{lblStill1, lblStill2, hkStillAll, hkStillActive}) {
        control->SetEnabled(!movie);
    }
}
