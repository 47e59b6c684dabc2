#include "settings/TForm2.h"

#include "app/TForm1.h"
#include "capture/MbString.h"
#include "toolkit/MessageBoxes.h"
#include "toolkit/TApplication.h"
#include "toolkit/TGroupBox.h"

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

TSpinEdit* PlaceSpin(TComponent* owner, TWinControl* parent, int left, int top, int width, int minValue,
                     int maxValue, int value, bool typing, int maxLength) {
    auto* spin = Place<TSpinEdit>(owner, parent, left, top, width, 22);
    spin->SetRange(minValue, maxValue);
    spin->SetValue(value);
    spin->SetAllowTyping(typing);
    spin->SetMaxLength(maxLength);
    return spin;
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
    auto* group = Place<TGroupBox>(this, this, 8, 8, 400, 260, "ファイル名の指定");
    chkAddWordBefore = Place<TCheckBox>(this, group, 12, 22, 180, 20, "連番の前に文字をつける");
    txtAddWordBefore = Place<TEdit>(this, group, 200, 20, 180, 22);
    chkAddWordAfter = Place<TCheckBox>(this, group, 12, 50, 180, 20, "連番の後に文字をつける");
    txtAddWordAfter = Place<TEdit>(this, group, 200, 48, 180, 22);
    chkNumberLock = Place<TCheckBox>(this, group, 12, 78, 180, 20, "桁固定する");
    spnNumberLock = PlaceSpin(this, group, 200, 76, 50, 1, 9, 3, false, 1);
    chkNumLockZero = Place<TCheckBox>(this, group, 260, 78, 120, 20, "０埋めする");
    chkSetStartNum = Place<TCheckBox>(this, group, 12, 106, 180, 20, "開始番号指定");
    spnSetStartNum = PlaceSpin(this, group, 200, 104, 70, 0, 999, 0, true, 3);
    chkSetEndNum = Place<TCheckBox>(this, group, 12, 134, 180, 20, "終了番号指定");
    spnSetEndNum = PlaceSpin(this, group, 200, 132, 70, 0, 999, 999, true, 3);
    rgMode = Place<TRadioGroup>(this, group, 12, 166, 370, 48, "保存形式");
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

    auto* folder = Place<TGroupBox>(this, this, 8, 276, 400, 56, "保存先フォルダの指定");
    txtSaveFolder = Place<TEdit>(this, folder, 12, 22, 370, 22);
}

void TForm2::BuildMovieAndKeyControls() {
    auto* movie = Place<TGroupBox>(this, this, 416, 8, 214, 120, "動画設定");
    spnFrameRate = PlaceSpin(this, movie, 140, 20, 60, 1, 10, 5, false, 2);
    spnRecTime = PlaceSpin(this, movie, 140, 48, 60, 300, 5000, 1000, true, 4);
    chkCompress = Place<TCheckBox>(this, movie, 12, 80, 196, 32, "圧縮する（撮影終了時にダイアログがでます）");

    auto* keys = Place<TGroupBox>(this, this, 416, 136, 214, 146, "ショートカットキー設定");
    hkStillAll = Place<THotKey>(this, keys, 12, 22, 190, 22);
    hkStillActive = Place<THotKey>(this, keys, 12, 52, 190, 22);
    hkMovieStart = Place<THotKey>(this, keys, 12, 82, 190, 22);
    hkMovieEnd = Place<THotKey>(this, keys, 12, 112, 190, 22);
    hkStillAll->SetHotKey(scCtrl | scAlt | 'F');
    hkStillActive->SetHotKey(scCtrl | scAlt | 'A');
    hkMovieStart->SetHotKey(scCtrl | scAlt | 'S');
    hkMovieEnd->SetHotKey(scCtrl | scAlt | 'E');

    chkLoadSettingPass = Place<TCheckBox>(this, this, 416, 296, 214, 20, "起動時に設定画面を表示しない");

    btnStartPhotographing = Place<TButton>(this, this, 8, 502, 185, 33, "設定完了（撮影モードへ）");
    btnClose = Place<TButton>(this, this, 445, 502, 185, 33, "Pictavoの終了");
    btnStartPhotographing->OnClick = [this](TObject& sender) { btnStartPhotographingClick(sender); };
    btnClose->OnClick = [this](TObject& sender) { btnCloseClick(sender); };
}

void TForm2::FormCreate() {
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
    // HookHotKey1's Activate := false plugs in here.
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
    const bool movie = rgMode->ItemIndex() == kModeAvi;
    for (TWinControl* control : std::initializer_list<TWinControl*>{spnFrameRate, spnRecTime, chkCompress,
                                                                     hkMovieStart, hkMovieEnd}) {
        control->SetEnabled(movie);
    }
    hkStillAll->SetEnabled(!movie);
    hkStillActive->SetEnabled(!movie);
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
    // HookHotKey1: RegisterShortCut for indices 0..3 and Activate := true plug in here.
}

void TForm2::btnCloseClick(TObject&) {
    if (MessageBoxes::Confirmation(TApplication::Instance().Title() + "を終了します。\r\nよろしいですか？")) {
        Form1->Close();
    }
}
