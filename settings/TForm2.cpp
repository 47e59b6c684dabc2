#include "settings/TForm2.h"

#include "settings/ControlPlacing.h"
#include "settings/NewFolderName.h"
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
constexpr int kShortCutGroupHeight = 146;
constexpr int kTreeWidth = 239;
constexpr int kSplitterWidth = 3;
// The strip under the tree and the list: the selected folder and the new-folder button.
constexpr int kFolderStripHeight = 44;
}  // namespace

TForm2::TForm2(TComponent* owner, const std::string& settingsPath, TShReadAhead* reading)
    : TForm(owner), reading_(reading) {
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
    BuildFolderPage();
    BuildFileNamePage();
    BuildMovieControls();
    BuildShortCutControls();
    BuildOptionsPageAndButtons();

    Timer1 = new TTimer(this);
    Timer1->SetEnabled(false);
    Timer1->SetInterval(100);
    Timer1->SetOnTimer([this](TObject& sender) { Timer1Timer(sender); });
    OnShow = [this](TObject& sender) { FormShow(sender); };
    OnHide = [this](TObject& sender) { FormHide(sender); };
    // The values before any file is read.
    ShowValues(TSettingsValues{});
    settingsFile_ = std::make_unique<TSettingsFile>(settingsPath, TApplication::Instance().Title());
    FormCreate();
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

void TForm2::BuildViewStyleItems(TWinControl* parent, int left, int top) {
    TBToolbar1 = new TTBToolbar(this);
    TBToolbar1->SetBounds(left, top, 0, 0);
    TBToolbar1->SetSkin(TBSkin1);
    TBToolbar1->SetImages(TBImageList1);
    const int first = TBImageList1->Count() - tpCount;
    auto item = [&](const std::string& caption, TToolbarPicture picture) {
        return AddItem(TBToolbar1, caption, first + picture, [this](TObject& sender) { TB_ViewStyleClick(sender); });
    };
    TB_Icon = item("大きいアイコン", tpLargeIcons);
    TB_SmallIcon = item("小さいアイコン", tpSmallIcons);
    TB_List = item("一覧", tpList);
    TB_Report = item("詳細", tpDetails);
    TB_Icon->SetChecked(true);
    TBToolbar1->SetParent(parent);
}

void TForm2::BuildFolderPage() {
    const int width = TabSheet1->ClientWidth();
    const int height = TabSheet1->ClientHeight();
    grpFolder = Place<TGroupBox>(this, TabSheet1, 4, 4, width - 8, height - 8, "保存先フォルダの指定");
    const int inner = grpFolder->Width();
    const int bottom = grpFolder->Height();
    BuildViewStyleItems(grpFolder, 8, 16);
    const int top = TBToolbar1->Top() + TBToolbar1->Height() + 2;
    const int viewHeight = bottom - kFolderStripHeight - top;

    // Both are set up before their windows exist: the tree's style follows AutoExpand.
    KeshShTreeView1 = new TKeshShTreeView(this);
    KeshShTreeView1->SetAutoExpand(true);
    KeshShTreeView1->SetIndent(19);
    KeshShTreeView1->SetBounds(8, top, kTreeWidth, viewHeight);
    // Each row's icon drawn onto the screen makes a bitmap of the display's kind, which
    // costs Wine round trips to its server; into memory it does not.
    KeshShTreeView1->SetDoubleBuffered(true);
    KeshShListView1 = new TKeshShListView(this);
    const int listLeft = 8 + kTreeWidth + kSplitterWidth;
    KeshShListView1->SetBounds(listLeft, top, inner - 8 - listLeft, viewHeight);
    KeshShListView1->SetShTreeView(KeshShTreeView1);
    // The settings file's folder is opened right after: the Desktop only if that fails.
    KeshShListView1->SetDesktopAtStart(false);
    // Shown only through the tree and the list, for the items under the pointer; the
    // shell's commands go before any items of its own.
    KeshShPopupMenu1 = new TKeshShPopupMenu(this);
    KeshShPopupMenu1->SetInsertPos(0);
    KeshShTreeView1->SetShPopupMenu(KeshShPopupMenu1);
    KeshShListView1->SetShPopupMenu(KeshShPopupMenu1);
    Splitter1 = new TSplitter(this);
    Splitter1->SetWidth(kSplitterWidth);
    Splitter1->SetBeveled(true);
    Splitter1->SetControls(KeshShTreeView1, KeshShListView1);
    KeshShTreeView1->SetParent(grpFolder);
    Splitter1->SetParent(grpFolder);
    KeshShListView1->SetParent(grpFolder);
    // The settings file selects its folder while the window is made, before it is shown.
    KeshShTreeView1->Handle();
    KeshShListView1->Handle();

    // Two lines in a fixed box: a long path must not run under the button.
    lblNowFolder = new TLabel(this);
    lblNowFolder->SetAutoSize(false);
    lblNowFolder->SetBounds(12, bottom - 40, inner - 160, 28);
    lblNowFolder->SetParent(grpFolder);
    btnNewFolder = PlaceButton(this, grpFolder, inner - 12 - 121, bottom - 37, 121, 25, "新規フォルダ作成");
    btnNewFolder->OnClick = [this](TObject& sender) { btnNewFolderClick(sender); };
}

void TForm2::BuildFileNamePage() {
    const int width = TabSheet2->ClientWidth();
    const int height = TabSheet2->ClientHeight();
    grpFileName =
        Place<TGroupBox>(this, TabSheet2, 4, 4, width - 8, height - 12 - kShortCutGroupHeight, "ファイル名の指定");
    TGroupBox* group = grpFileName;
    chkAddWordBefore = Place<TCheckBox>(this, group, 12, 22, 168, 20, "連番の前に文字をつける");
    txtAddWordBefore = Place<TEdit>(this, group, 184, 21, 130, 21);
    chkAddWordAfter = Place<TCheckBox>(this, group, 12, 50, 168, 20, "連番の後に文字をつける");
    txtAddWordAfter = Place<TEdit>(this, group, 184, 49, 130, 21);
    chkNumberLock = Place<TCheckBox>(this, group, 12, 78, 84, 20, "桁固定する");
    spnNumberLock = PlaceSpin(this, group, 100, 77, 40, 1, 9, false, 1);
    chkNumLockZero = Place<TCheckBox>(this, group, 184, 78, 120, 20, "０埋めする");
    chkSetStartNum = Place<TCheckBox>(this, group, 12, 106, 168, 20, "開始番号指定");
    spnSetStartNum = PlaceSpin(this, group, 184, 105, 56, 0, 999, true, 3);
    chkSetEndNum = Place<TCheckBox>(this, group, 12, 134, 168, 20, "終了番号指定");
    spnSetEndNum = PlaceSpin(this, group, 184, 133, 56, 0, 999, true, 3);
    rgMode = Place<TRadioGroup>(this, group, 12, 164, 302, 44, "保存形式");
    rgMode->SetColumns(3);
    rgMode->SetItems({SaveModeCaption(kModeBmp), SaveModeCaption(kModeJpeg), SaveModeCaption(kModeAvi)});
    // What the mode enables shows at once, not only at the next tick.
    rgMode->OnClick = [this](TObject&) { ShowSettingsState(); };
    lblCaution = Place<TLabel>(this, group, 12, 218, 300, 30);
    lblCaution->Font().SetBold(true);

    Couple(chkAddWordBefore, {txtAddWordBefore});
    Couple(chkAddWordAfter, {txtAddWordAfter});
    Couple(chkNumberLock, {spnNumberLock, chkNumLockZero});
    Couple(chkSetStartNum, {spnSetStartNum});
    Couple(chkSetEndNum, {spnSetEndNum});

    grpSample = Place<TGroupBox>(this, group, 326, 16, group->Width() - 338, 74, "ファイル名サンプル");
    lblSampleWord = Place<TLabel>(this, grpSample, 14, 18, 200, 48);
}

void TForm2::BuildMovieControls() {
    const int width = grpFileName->Width() - 338;
    grpMovie = Place<TGroupBox>(this, grpFileName, 326, 100, width, 108, "動画設定");
    lblMovieFramelate = Place<TLabel>(this, grpMovie, 14, 24, 130, 14, "動画のフレームレート");
    spnFrameRate = PlaceSpin(this, grpMovie, 150, 20, 48, 1, 10, false, 2);
    lblMovieInterval1 = Place<TLabel>(this, grpMovie, 14, 52, 130, 14, "録画間隔");
    spnRecTime = PlaceSpin(this, grpMovie, 150, 48, 60, 300, 5000, true, 4);
    lblMovieInterval2 = Place<TLabel>(this, grpMovie, 216, 52, 40, 14, "ミリ秒");
    chkCompress =
        Place<TCheckBox>(this, grpMovie, 12, 78, width - 18, 20, "圧縮する（撮影終了時にダイアログがでます）");
}

void TForm2::BuildShortCutControls() {
    grpShortCut = Place<TGroupBox>(this, TabSheet2, 4, grpFileName->Top() + grpFileName->Height() + 4,
                                   grpFileName->Width(), kShortCutGroupHeight, "ショートカットキー設定");
    auto row = [this](int top, const std::string& caption, TLabel*& label, THotKey*& hotKey) {
        label = Place<TLabel>(this, grpShortCut, 20, top + 4, 200, 14, caption);
        hotKey = Place<THotKey>(this, grpShortCut, 230, top, 160, 22);
    };
    row(22, "画面全体静止画撮影", lblStill1, hkStillAll);
    row(52, "アクティブウインドウ静止画撮影", lblStill2, hkStillActive);
    row(82, "動画撮影開始", lblMovie1, hkMovieStart);
    row(112, "動画撮影終了", lblMovie2, hkMovieEnd);
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
}

void TForm2::FormCreate() {
    lblCaution->SetCaption("BMP・JPEGは静止画での撮影、\r\nAVIは動画での撮影となります。");
    SetCaption(TApplication::Instance().Title() + " 設定画面");
    ::ShowWindow(TApplication::Instance().Handle(), SW_HIDE);
    // A folder that cannot be selected is told after every other key is in place; the
    // window is made all the same. A start that skips the window tells it instead, in the
    // start button's words, once the window is up.
    const TSettingsValues values = LoadSettings(*settingsFile_, Values());
    ShowValues(values);
    savedFolder_ = values.folder;
    KeshShListView1->OfferReading(reading_);
    try {
        if (savedFolder_ != kComputerFolderName) SelectPath(savedFolder_);
    } catch (...) {
        savedFolderError_ = std::current_exception();
    }
    // Taken by the list by now, or of no use.
    KeshShListView1->OfferReading(nullptr);
    reading_ = nullptr;
    KeshShListView1->OpenDesktopIfNoneShown();
    if (savedFolderError_ && !values.settingPass) MessageBoxes::ApplicationError(savedFolderError_);
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

std::string TForm2::SelectedPath() const { return KeshShTreeView1->SelectedPath(); }

void TForm2::SelectPath(const std::string& path) {
    // Parsed once for the tree and the check below, by the reading ahead when it reads this
    // folder: the shell takes a while over each parsing.
    TShIDList wanted = reading_ ? reading_->Parsed(path) : TShIDList();
    if (!wanted) wanted = TKeshShID::FromPath(path);
    if (wanted) KeshShTreeView1->SelectID(wanted.get());
    if (path.empty()) return;
    // Gone, not a folder, or not a path at all: the tree changes nothing, and the user
    // must not take whatever it still shows for the folder asked for.
    TKeshShTreeNode* selected = KeshShTreeView1->Selected();
    if (!wanted || !selected ||
        TKeshShID::Compare(selected->ShData()->AbsoluteID(), wanted.get()) != TKeshShID::crEqual) {
        throw Exception("保存先フォルダ " + path + " が見つかりません");
    }
}

void TForm2::StartReadingAhead() {
    iconsAhead_ = std::make_unique<TShIconsAhead>();
    KeshShTreeView1->AskIconsAhead(*iconsAhead_);
    KeshShListView1->AskIconsAhead(*iconsAhead_);
    iconsAhead_->Start();
}

std::unique_ptr<TShReadAhead> TForm2::ReadSavedFolderAhead(const std::string& settingsPath) {
    const std::string folder = SavedFolder(TSettingsFile(settingsPath, TApplication::Instance().Title()));
    if (folder.empty() || folder == kComputerFolderName) return nullptr;
    return std::make_unique<TShReadAhead>(folder, TShContentsReader().Flags());
}

void TForm2::ReadShownFolderItems() {
    if (iconsAhead_) iconsAhead_->Finish();
    iconsAhead_.reset();
    KeshShTreeView1->ReadVisibleItems();
    KeshShListView1->ReadVisibleItems();
}

std::string TForm2::FolderPath() const { return KeshShListView1->FolderPath(); }

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
    const TNamingRule rule = NamingRule();
    lblSampleWord->SetCaption(rule.FileName(1) + "\r\n" + rule.FileName(20) + "\r\n" + rule.FileName(300));
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

bool TForm2::SelectedFolderUnspellable() const {
    // The tree gives no path for a file-system folder whose name holds characters the
    // ANSI code page lacks, since the replaced text would name another folder.
    TKeshShTreeNode* node = KeshShTreeView1->Selected();
    return node && node->ShData()->HasAttributes(SFGAO_FILESYSTEM) && node->ShData()->Path().empty();
}

std::string TForm2::UnusableFolderReason(const std::string& folder) {
    // A name the ANSI code page cannot spell comes with "?" in place of what it lacks;
    // "?" is never the second byte of a character, and no file name holds it.
    if (folder.empty() || folder.find('?') != std::string::npos) {
        return "保存先フォルダの名前に、このプログラムでは扱えない文字が含まれています。\r\n"
               "別のフォルダを選択してください";
    }
    const DWORD attributes = ::GetFileAttributesA(folder.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return "保存先フォルダが見つかりません。\r\n" + folder;
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY))
        return "保存先に選ばれているのはフォルダではありません。\r\n" + folder;
    return "";
}

std::array<THotKey*, 4> TForm2::HotKeys() const { return {hkStillAll, hkStillActive, hkMovieStart, hkMovieEnd}; }

TShortCuts TForm2::ShortCuts() const {
    TShortCuts shortCuts;
    const auto keys = HotKeys();
    for (size_t index = 0; index < keys.size(); ++index) shortCuts[index] = keys[index]->HotKey();
    return shortCuts;
}

std::string TForm2::SelectionRefusal() const { return FolderRefusal(SelectedPath(), SelectedFolderUnspellable()); }

std::string TForm2::FolderRefusal(const std::string& folder, bool unspellable) {
    if ((folder.empty() && !unspellable) || folder == kComputerFolderName) return "保存先フォルダを選択してください";
    // Refused here rather than found out at the first capture, and never replaced by
    // another folder.
    return UnusableFolderReason(folder);
}

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

void TForm2::btnNewFolderClick(TObject&) {
    const std::string folder = FolderPath();
    if (folder.empty()) {
        MessageBoxes::Error("保存先フォルダを選択してください");
        return;
    }
    const std::string name = NewFolderName(folder);
    // All 256 names taken: nothing is made.
    if (name.empty()) return;
    CreateFolder(name);
}

void TForm2::CreateFolder(const std::string& name) {
    const std::string path = AddTrailingBackslash(FolderPath()) + name;
    const bool created = KeshShListView1->CreateFolder(name);
    // The tree shows the new folder whether or not the list could select it.
    KeshShTreeView1->RefreshNodes();
    if (!created) throw Exception("フォルダ " + path + " を作成できません");
}

void TForm2::TB_VersionClick(TObject&) {
    // Modeless: it takes this window's input away itself while it is up.
    if (!frmVersion) return;
    frmVersion->Show();
    frmVersion->BringToFront();
}

void TForm2::TB_EndClick(TObject& sender) { btnCloseClick(sender); }

void TForm2::TB_ViewStyleClick(TObject& sender) {
    TTBItem* const items[] = {TB_Icon, TB_SmallIcon, TB_List, TB_Report};
    for (int style = 0; style < 4; ++style) {
        if (items[style] != &sender) continue;
        KeshShListView1->SetViewStyle(static_cast<TViewStyle>(style));
        KeshShListView1->Repaint();
    }
    for (TTBItem* item : items) item->SetChecked(item == &sender);
}
