#include "settings/TForm2.h"

#include "settings/ControlPlacing.h"
#include "settings/FolderRefusal.h"
#include "settings/SettingsKeys.h"
#include "settings/TfrmVersion.h"
#include "settings/ToolbarPictures.h"
#include "toolkit/EOSError.h"
#include "toolkit/FilePath.h"
#include "toolkit/MessageBoxes.h"
#include "toolkit/TApplication.h"
#include "toolkit/TIcon.h"

TForm2* Form2 = nullptr;

namespace {
constexpr int kClientWidth = 638;
constexpr int kClientHeight = 543;
// Room above the pages for the window's toolbar, and the bottom panel's height.
constexpr int kToolbarHeight = 28;
constexpr int kBottomHeight = 48;
}  // namespace

TForm2::TForm2(TComponent* owner, const std::string& settingsPath)
    : TForm2(owner, TSavedSettings::Read(settingsPath, false)) {}

TForm2::TForm2(TComponent* owner, TSavedSettings saved) : TForm(owner) {
    Form2 = this;
    // The version dialog takes this window's input away while it is up.
    TfrmVersion::HoldWhileShown(this);
    SetBorderStyle(TFormBorderStyle::bsSingle);
    SetSystemMenu(false);
    SetCenterOnScreen(true);
    Font().SetCharset(SHIFTJIS_CHARSET);
    SetClientSize(kClientWidth, kClientHeight);

    BuildToolbar();
    PageControl1 = Place<TPageControl>(this, this, 4, kToolbarHeight, kClientWidth - 8,
                                       kClientHeight - kToolbarHeight - kBottomHeight - 2);
    // Its page covers all but its border and its tabs; the theme stretches its picture over
    // all of it unless it is drawn piece by piece.
    PageControl1->SetDoubleBuffered(true);
    TabSheet1 = AddPage(this, PageControl1, "保存先設定");
    TabSheet2 = AddPage(this, PageControl1, "ファイル形式・ショートカットキー設定");
    TabSheet3 = AddPage(this, PageControl1, "オプション設定");
    BuildFolderPage(this, TabSheet1, TBSkin1, TBImageList1);
    BuildFormatPage(this, TabSheet2);
    // What the mode enables shows at once, not only at the next tick.
    rgMode->OnClick = [this](TObject&) { ShowSettingsState(); };
    BuildOptionsPageAndButtons();

    Timer1 = new TTimer(this);
    Timer1->SetEnabled(false);
    Timer1->SetInterval(100);
    Timer1->SetOnTimer([this](TObject& sender) { Timer1Timer(sender); });
    OnShow = [this](TObject& sender) { FormShow(sender); };
    OnHide = [this](TObject& sender) { FormHide(sender); };
    FormCreate(std::move(saved));
}

TForm2::~TForm2() {
    if (Form2 != this) return;
    Form2 = nullptr;
    TfrmVersion::HoldWhileShown(nullptr);
}

void TForm2::BuildToolbar() {
    TBSkin1 = new TBSkin(this);
    TBSkin1->SetGradient(TTBGradient::tbgLeftRight);
    TBSkin1->SetImageStyle(TTBImageStyle::tbimsGradHorz);
    TBSkin1->SetOptions(0);
    TBImageList1 = new TImageList(this, 16, 16);
    const int first = AddToolbarPictures(*TBImageList1);
    TBToolbar2 = new TTBToolbar(this);
    TBToolbar2->SetSkin(TBSkin1);
    TBToolbar2->SetImages(TBImageList1);
    TB_Version =
        AddItem(TBToolbar2, "バージョン情報", first + tpVersion, [this](TObject& sender) { TB_VersionClick(sender); });
    TB_End = AddItem(TBToolbar2, "終了", first + tpQuit, [this](TObject& sender) { TB_EndClick(sender); });
    TBToolbar2->SetParent(this);
}

void TForm2::BuildOptionsPageAndButtons() {
    chkLoadSettingPass = Place<TCheckBox>(this, TabSheet3, 16, 16, 300, 20, "起動時に設定画面を表示しない");

    Panel1 = Place<TPanel>(this, this, 0, kClientHeight - kBottomHeight, kClientWidth, kBottomHeight);
    btnStartPhotographing = PlaceButton(this, Panel1, 8, 8, 185, 33, "設定完了（撮影モードへ）");
    btnClose = PlaceButton(this, Panel1, kClientWidth - 8 - 185, 8, 185, 33, "Pictavoの終了");
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
    // Tab reaches the buttons too, in the order they were made, which is the reading order.
    for (TPictureButton* button : {btnNewFolder, btnStartPhotographing, btnClose}) button->SetTabStop(true);
}

void TForm2::FormCreate(TSavedSettings saved) {
    lblCaution->SetCaption("BMP・JPEGは静止画での撮影、\r\nAVIは動画での撮影となります。");
    SetCaption(TApplication::Instance().Title() + " 設定画面");
    ::ShowWindow(TApplication::Instance().Handle(), SW_HIDE);
    settingsFile_ = std::move(saved.file);
    ShowValues(saved.values);
    // A folder that cannot be selected is told after every other key is in place; the
    // window is made all the same. A start that skips the window tells it instead, in the
    // start button's words, once the window is up. A file that names no folder leaves the
    // tree where it started, and that is the folder the file is taken to name.
    savedFolder_ = saved.values.folder.empty() ? SelectedPath() : saved.values.folder;
    const bool selectable = savedFolder_ != kComputerFolderName;
    savedFolderError_ = SelectSavedFolder(selectable ? savedFolder_ : "", std::move(saved.reading));
    if (savedFolderError_ && !saved.values.settingPass) MessageBoxes::ApplicationError(savedFolderError_);
    ShowSettingsState();
}

TNamingRule TForm2::NamingRule() const {
    TNamingRule rule;
    rule.addWordBefore = chkAddWordBefore->Checked();
    rule.wordBefore = txtAddWordBefore->Text();
    rule.addWordAfter = chkAddWordAfter->Checked();
    rule.wordAfter = txtAddWordAfter->Text();
    rule.numberLock = chkNumberLock->Checked();
    rule.numberLockWidth = spnNumberLock->Value();
    rule.zeroFill = chkNumLockZero->Checked();
    rule.saveMode = rgMode->ItemIndex();
    return rule;
}

TNumberRange TForm2::NumberRange() const { return {spnSetStartNum->Value(), spnSetEndNum->Value()}; }

TRecordingSettings TForm2::Recording() const {
    return {spnRecTime->Value(), spnFrameRate->Value(), chkCompress->Checked()};
}

bool TForm2::SkipsWindowAtStart() const { return chkLoadSettingPass->Checked(); }

TSettingsValues TForm2::Values() const {
    TSettingsValues values;
    values.folder = SelectedPath();
    values.naming = NamingRule();
    values.setStartNum = chkSetStartNum->Checked();
    values.setEndNum = chkSetEndNum->Checked();
    values.numbers = NumberRange();
    values.shortCuts = ShortCuts();
    values.recording = Recording();
    values.settingPass = SkipsWindowAtStart();
    return values;
}

void TForm2::ShowValues(const TSettingsValues& values) {
    // Each text before its check box, as the file has them; a box set to another state runs
    // its click handling, so the controls it enables follow. Spin boxes clamp.
    const TNamingRule& naming = values.naming;
    txtAddWordBefore->SetText(naming.wordBefore);
    chkAddWordBefore->SetChecked(naming.addWordBefore);
    txtAddWordAfter->SetText(naming.wordAfter);
    chkAddWordAfter->SetChecked(naming.addWordAfter);
    chkNumberLock->SetChecked(naming.numberLock);
    spnNumberLock->SetValue(naming.numberLockWidth);
    chkNumLockZero->SetChecked(naming.zeroFill);
    chkSetStartNum->SetChecked(values.setStartNum);
    spnSetStartNum->SetValue(values.numbers.first);
    chkSetEndNum->SetChecked(values.setEndNum);
    spnSetEndNum->SetValue(values.numbers.last);
    rgMode->SetItemIndex(naming.saveMode);
    const auto keys = HotKeys();
    for (size_t index = 0; index < keys.size(); ++index) keys[index]->SetHotKey(values.shortCuts[index]);
    spnFrameRate->SetValue(values.recording.frameRate);
    spnRecTime->SetValue(values.recording.interval);
    chkCompress->SetChecked(values.recording.compress);
    chkLoadSettingPass->SetChecked(values.settingPass);
}

std::string TForm2::MakeFileName(int number) const { return NamingRule().FileName(number); }

void TForm2::FormShow(TObject&) {
    Timer1->SetEnabled(true);
    int startNumber = spnSetStartNum->Value();
    Raise(OnSettingsShow, *this, startNumber);
    spnSetStartNum->SetValue(startNumber);
    // Before the window is first painted, not at the timer's first tick.
    ShowSettingsState();
}

void TForm2::FormHide(TObject&) {
    Timer1->SetEnabled(false);
    Raise(OnSettingsHide, *this, rgMode->ItemIndex());
}

void TForm2::Timer1Timer(TObject&) { ShowSettingsState(); }

void TForm2::ShowSettingsState() {
    // The controls are read once for the three samples: ten times a second while shown.
    ShowModeState(NamingRule());
    ShowSelectedFolder();
}

TShortCuts TForm2::ShortCuts() const {
    TShortCuts shortCuts;
    const auto keys = HotKeys();
    for (size_t index = 0; index < keys.size(); ++index) shortCuts[index] = keys[index]->HotKey();
    return shortCuts;
}

std::string TForm2::SelectionRefusal() const { return FolderRefusal(SelectedPath(), SelectedFolderUnspellable()); }

void TForm2::btnStartPhotographingClick(TObject&) {
    if (const std::string refusal = SelectionRefusal(); !refusal.empty()) {
        MessageBoxes::Error(refusal);
        return;
    }
    Timer1->SetEnabled(false);
    // Every spin box reads as a number of its range, so the file never gets another.
    try {
        SaveSettings(*settingsFile_, Values());
    } catch (...) {
        // Nothing is handed over and nothing registered: the window stays as it is.
        MessageBoxes::ApplicationError(std::current_exception());
        return;
    }
    EnterShootingMode(true);
}

void TForm2::SkipToShootingMode() {
    // Without a saved folder the tree shows where it started, which is no folder the user
    // chose; a saved folder the tree could not select is judged by its own name.
    const bool judgeSaved = savedFolderError_ || savedFolder_.empty() || savedFolder_ == kComputerFolderName;
    std::string refusal = judgeSaved ? FolderRefusal(savedFolder_, false) : SelectionRefusal();
    if (savedFolderError_ && refusal.empty()) refusal = "保存先フォルダが見つかりません。\r\n" + savedFolder_;
    if (!refusal.empty()) {
        // The window stays up, in setting mode, for another folder to be chosen.
        MessageBoxes::Error(refusal);
        return;
    }
    EnterShootingMode(false);
}

void TForm2::EnterShootingMode(bool tellWayBack) {
    Raise(OnStartPhotographing, *this, AddTrailingBackslash(SelectedPath()),
          chkSetStartNum->Checked() ? spnSetStartNum->Value() : 0);
    if (tellWayBack) {
        MessageBoxes::Information(
            "再度設定画面を表示する場合は\r\nタスクトレイのアイコンを右クリックし、「設定」を押してください");
    }
    Hide();
    // Registered once the window is gone; a key the system refuses simply does nothing.
    Raise(OnShortCutsConfirmed, *this, ShortCuts());
}

void TForm2::btnCloseClick(TObject&) {
    if (MessageBoxes::Confirmation(TApplication::Instance().Title() + "を終了します。\r\nよろしいですか？")) {
        Raise(OnQuit, *this);
    }
}

void TForm2::TB_VersionClick(TObject&) {
    // Modeless: it takes this window's input away itself while it is up.
    if (!frmVersion) return;
    frmVersion->Show();
    frmVersion->BringToFront();
}

void TForm2::TB_EndClick(TObject& sender) { btnCloseClick(sender); }
