#include "settings/TForm2.h"

#include "app/TForm1.h"
#include "capture/MbString.h"
#include "settings/DialogButton.h"
#include "toolkit/MessageBoxes.h"
#include "toolkit/TApplication.h"
#include "toolkit/TGroupBox.h"
#include "toolkit/TIcon.h"

TForm2* Form2 = nullptr;

namespace {
template <typename T>
T* Place(TComponent* owner, TWinControl* parent, int left, int top, int width, int height,
         const std::string& caption = "") {
    auto* control = new T(owner);
    control->SetBounds(left, top, width, height);
    if (!caption.empty()) control->SetCaption(caption);
    control->SetParent(parent);
    return control;
}

TSpinEdit* PlaceSpin(TComponent* owner, TWinControl* parent, int left, int top, int width, int minValue, int maxValue,
                     int value, bool typing, int maxLength) {
    auto* spin = Place<TSpinEdit>(owner, parent, left, top, width, 22);
    spin->SetRange(minValue, maxValue);
    spin->SetValue(value);
    spin->SetAllowTyping(typing);
    spin->SetMaxLength(maxLength);
    return spin;
}

TPictureButton* PlaceButton(TForm2* form, int left, int top, int width, int height, const std::string& caption) {
    auto* button = Place<TPictureButton>(form, form, left, top, width, height, caption);
    StyleDialogButton(*button);
    return button;
}

// A check box that keeps its partner controls enabled exactly while it is checked.
void Couple(TCheckBox* box, std::initializer_list<TWinControl*> partners) {
    std::vector<TWinControl*> list(partners);
    box->OnClick = [box, list](TObject&) {
        for (TWinControl* partner : list) partner->SetEnabled(box->Checked());
    };
    for (TWinControl* partner : list) partner->SetEnabled(box->Checked());
}
}  // namespace

TForm2::TForm2(TComponent* owner) : TForm(owner) {
    Form2 = this;
    SetBorderStyle(TFormBorderStyle::bsSingle);
    SetSystemMenu(false);
    SetCenterOnScreen(true);
    SetClientSize(638, 543);
    BuildNamingControls();
    BuildMovieAndKeyControls();

    Timer1 = new TTimer(this);
    Timer1->SetEnabled(false);
    Timer1->SetInterval(100);
    Timer1->SetOnTimer([this](TObject& sender) { Timer1Timer(sender); });
    OnShow = [this](TObject& sender) { FormShow(sender); };
    OnHide = [this](TObject& sender) { FormHide(sender); };
    FormCreate();
}

void TForm2::BuildNamingControls() {
    auto* group = Place<TGroupBox>(this, this, 8, 8, 320, 224, "ファイル名の指定");
    chkAddWordBefore = Place<TCheckBox>(this, group, 12, 22, 170, 20, "連番の前に文字をつける");
    txtAddWordBefore = Place<TEdit>(this, group, 186, 20, 120, 22);
    chkAddWordAfter = Place<TCheckBox>(this, group, 12, 50, 170, 20, "連番の後に文字をつける");
    txtAddWordAfter = Place<TEdit>(this, group, 186, 48, 120, 22);
    chkNumberLock = Place<TCheckBox>(this, group, 12, 78, 100, 20, "桁固定する");
    spnNumberLock = PlaceSpin(this, group, 120, 76, 44, 1, 9, 3, false, 1);
    chkNumLockZero = Place<TCheckBox>(this, group, 186, 78, 120, 20, "０埋めする");
    chkSetStartNum = Place<TCheckBox>(this, group, 12, 106, 170, 20, "開始番号指定");
    spnSetStartNum = PlaceSpin(this, group, 186, 104, 60, 0, 999, 0, true, 3);
    chkSetEndNum = Place<TCheckBox>(this, group, 12, 134, 170, 20, "終了番号指定");
    spnSetEndNum = PlaceSpin(this, group, 186, 132, 60, 0, 999, 999, true, 3);
    rgMode = Place<TRadioGroup>(this, group, 12, 162, 296, 48, "保存形式");
    rgMode->SetColumns(3);
    rgMode->SetItems({"BMP", "JPEG", "AVI"});
    rgMode->SetItemIndex(kModeBmp);

    chkNumberLock->SetChecked(true);
    chkNumLockZero->SetChecked(true);
    Couple(chkAddWordBefore, {txtAddWordBefore});
    Couple(chkAddWordAfter, {txtAddWordAfter});
    Couple(chkNumberLock, {spnNumberLock, chkNumLockZero});
    Couple(chkSetStartNum, {spnSetStartNum});
    Couple(chkSetEndNum, {spnSetEndNum});

    auto* samples = Place<TGroupBox>(this, this, 8, 240, 320, 78, "ファイル名サンプル");
    lblSampleWord = Place<TLabel>(this, samples, 12, 18, 296, 54);
    lblCaution = Place<TLabel>(this, this, 12, 326, 316, 32);
    lblCaution->Font().SetBold(true);

    auto* folder = Place<TGroupBox>(this, this, 8, 366, 320, 90, "保存先フォルダの指定");
    txtSaveFolder = Place<TEdit>(this, folder, 12, 22, 296, 22);
    lblNowFolder = Place<TLabel>(this, folder, 12, 52, 296, 32);
}

void TForm2::BuildMovieAndKeyControls() {
    auto* movie = Place<TGroupBox>(this, this, 336, 8, 294, 112, "動画設定");
    lblMovieFramelate = Place<TLabel>(this, movie, 12, 24, 150, 16, "動画のフレームレート");
    spnFrameRate = PlaceSpin(this, movie, 170, 20, 60, 1, 10, 5, false, 2);
    lblMovieInterval1 = Place<TLabel>(this, movie, 12, 52, 150, 16, "録画間隔");
    spnRecTime = PlaceSpin(this, movie, 170, 48, 60, 300, 5000, 1000, true, 4);
    lblMovieInterval2 = Place<TLabel>(this, movie, 236, 52, 50, 16, "ミリ秒");
    chkCompress = Place<TCheckBox>(this, movie, 12, 80, 276, 22, "圧縮する（撮影終了時にダイアログがでます）");

    auto* keys = Place<TGroupBox>(this, this, 336, 128, 294, 146, "ショートカットキー設定");
    auto row = [this, keys](int top, const std::string& caption, TLabel*& label, THotKey*& hotKey, TShortCut key) {
        label = Place<TLabel>(this, keys, 12, top + 4, 136, 16, caption);
        hotKey = Place<THotKey>(this, keys, 176, top, 106, 22);
        hotKey->SetHotKey(key);
    };
    row(22, "画面全体静止画撮影", lblStill1, hkStillAll, scCtrl | scAlt | 'F');
    row(52, "アクティブウインドウ静止画撮影", lblStill2, hkStillActive, scCtrl | scAlt | 'A');
    row(82, "動画撮影開始", lblMovie1, hkMovieStart, scCtrl | scAlt | 'S');
    row(112, "動画撮影終了", lblMovie2, hkMovieEnd, scCtrl | scAlt | 'E');

    chkLoadSettingPass = Place<TCheckBox>(this, this, 336, 290, 294, 20, "起動時に設定画面を表示しない");

    btnStartPhotographing = PlaceButton(this, 8, 502, 185, 33, "設定完了（撮影モードへ）");
    btnClose = PlaceButton(this, 445, 502, 185, 33, "Pictavoの終了");
    // The program's own icon; a test executable may have none.
    HMODULE module = ::GetModuleHandleA(nullptr);
    if (::FindResourceA(module, "MAINICON", RT_GROUP_ICON)) {
        auto icon = std::make_unique<TIcon>();
        icon->LoadFromResourceName(module, "MAINICON", 16);
        btnClose->Picture().SetGraphic(std::move(icon));
    }
    btnClose->SetPictureLeft(10);
    btnClose->SetPictureTop(8);
    btnStartPhotographing->OnClick = [this](TObject& sender) { btnStartPhotographingClick(sender); };
    btnClose->OnClick = [this](TObject& sender) { btnCloseClick(sender); };
}

void TForm2::FormCreate() {
    lblCaution->SetCaption("BMP・JPEGは静止画での撮影、\r\nAVIは動画での撮影となります。");
    SetCaption(TApplication::Instance().Title() + " 設定画面");
    ::ShowWindow(TApplication::Instance().Handle(), SW_HIDE);
    Form1->StartNumber = spnSetStartNum->Value();
}

TNamingRule TForm2::NamingRule() const {
    TNamingRule rule;
    rule.addWordBefore = chkAddWordBefore->Checked();
    if (rule.addWordBefore) rule.wordBefore = txtAddWordBefore->Text();
    rule.addWordAfter = chkAddWordAfter->Checked();
    if (rule.addWordAfter) rule.wordAfter = txtAddWordAfter->Text();
    rule.numberLock = chkNumberLock->Checked();
    rule.numberLockWidth = spnNumberLock->Value();
    rule.zeroFill = chkNumLockZero->Checked();
    const int mode = rgMode->ItemIndex();
    rule.extension = mode >= 0 ? rgMode->Items()[static_cast<size_t>(mode)] : std::string();
    return rule;
}

std::string TForm2::MakeFileName(int number) const { return NamingRule().FileName(number); }

std::string TForm2::SelectedPath() const { return txtSaveFolder->Text(); }

void TForm2::FormShow(TObject&) {
    Timer1->SetEnabled(true);
    Form1->SetEnabled(false);
    spnSetStartNum->SetValue(Form1->StartNumber);
    Form1->TB_Capture_Active->SetEnabled(false);
    Form1->TB_Capture_ALL->SetEnabled(false);
    Form1->TB_MovieCaptureStart->SetEnabled(false);
    Form1->TB_MovieCaptureEnd->SetEnabled(false);
    Form1->HookHotKey1->SetActivate(false);
}

void TForm2::FormHide(TObject&) {
    Timer1->SetEnabled(false);
    if (rgMode->ItemIndex() != kModeAvi) {
        Form1->TB_Capture_Active->SetEnabled(true);
        Form1->TB_Capture_ALL->SetEnabled(true);
    } else {
        Form1->TB_MovieCaptureStart->SetEnabled(true);
    }
}

void TForm2::Timer1Timer(TObject&) {
    lblSampleWord->SetCaption(MakeFileName(1) + "\r\n" + MakeFileName(20) + "\r\n" + MakeFileName(300));
    lblNowFolder->SetCaption("選択されているフォルダ\r\n" + SelectedPath());
    const bool movie = rgMode->ItemIndex() == kModeAvi;
    for (TWinControl* control : std::initializer_list<TWinControl*>{
             spnFrameRate, spnRecTime, chkCompress, lblMovieFramelate, lblMovieInterval1, lblMovieInterval2, lblMovie1,
             lblMovie2, hkMovieStart, hkMovieEnd}) {
        control->SetEnabled(movie);
    }
    for (TWinControl* control : std::initializer_list<TWinControl*>{lblStill1, lblStill2, hkStillAll, hkStillActive}) {
        control->SetEnabled(!movie);
    }
}

void TForm2::btnStartPhotographingClick(TObject&) {
    const std::string folder = SelectedPath();
    if (folder.empty() || folder == "マイ コンピュータ") {
        MessageBoxes::Error("保存先フォルダを選択してください");
        return;
    }
    Timer1->SetEnabled(false);
    if (spnSetStartNum->Value() < 0) spnSetStartNum->SetValue(0);
    if (spnSetEndNum->Value() > 999) spnSetEndNum->SetValue(999);
    // Writing the settings file plugs in here.
    Form1->StartNumber = chkSetStartNum->Checked() ? spnSetStartNum->Value() : 0;
    Form1->SaveFolder = AddTrailingBackslash(folder);
    MessageBoxes::Information(
        "再度設定画面を表示する場合は\r\nタスクトレイのアイコンを右クリックし、「設定」を押してください");
    Hide();
    // A key the system refuses (held by another program) simply does nothing here.
    Form1->HookHotKey1->RegisterShortCut(0, hkStillAll->HotKey());
    Form1->HookHotKey1->RegisterShortCut(1, hkStillActive->HotKey());
    Form1->HookHotKey1->RegisterShortCut(2, hkMovieStart->HotKey());
    Form1->HookHotKey1->RegisterShortCut(3, hkMovieEnd->HotKey());
    Form1->HookHotKey1->SetActivate(true);
}

void TForm2::btnCloseClick(TObject&) {
    if (MessageBoxes::Confirmation(TApplication::Instance().Title() + "を終了します。\r\nよろしいですか？")) {
        Form1->Close();
    }
}
