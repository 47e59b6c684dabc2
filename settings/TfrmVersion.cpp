#include "settings/TfrmVersion.h"

#include <memory>

#include "settings/DialogButton.h"
#include "settings/VersionReader.h"
#include "toolkit/TApplication.h"
#include "toolkit/TIcon.h"

TfrmVersion* frmVersion = nullptr;

std::string TfrmVersion::ExecutablePath() {
    char path[MAX_PATH];
    DWORD length = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    return std::string(path, length);
}

TfrmVersion::TfrmVersion(TComponent* owner, const std::string& versionSource) : TForm(owner) {
    frmVersion = this;
    SetName("frmVersion");
    SetCaption("バージョン情報");
    SetBorderStyle(TFormBorderStyle::bsDialog);
    SetCenterOnScreen(true);
    SetClientSize(345, 224);
    OnShow = [this](TObject& sender) { FormShow(sender); };
    OnCloseQuery = [this](TObject& sender, bool& canClose) { FormCloseQuery(sender, canClose); };
    OnClose = [this](TObject& sender, TCloseAction& action) { FormClose(sender, action); };
    CreateControls();
    ReadVersion(versionSource);
}

TfrmVersion::~TfrmVersion() {
    if (frmVersion == this) frmVersion = nullptr;
}

TURLLink* TfrmVersion::NewLink(int left, int top, const std::string& caption, const std::string& link) {
    auto* label = new TURLLink(this);
    label->SetParent(Panel1);
    label->SetBounds(left, top, 10, 12);
    label->SetCaption(caption);
    label->SetLink(link);
    label->Font().SetColor(clBlue);
    label->SetLinkColor(clRed);
    label->SetEnableShowHint(false);
    label->SetTransparent(true);
    label->SetCursor(crHandPoint);
    TFont hintFont;
    hintFont.SetName("ＭＳ Ｐゴシック");
    hintFont.SetHeight(12);
    label->SetHintFormFont(hintFont);
    return label;
}

TLabel* TfrmVersion::NewCreditLabel(int left, int top, const std::string& caption) {
    auto* label = new TLabel(this);
    label->SetParent(Panel1);
    label->SetBounds(left, top, 10, 12);
    label->SetCaption(caption);
    label->SetTransparent(true);
    return label;
}

void TfrmVersion::CreateControls() {
    Image2 = new TImage(this);
    Image2->SetParent(this);
    Image2->SetBounds(12, 16, 32, 32);
    Image2->SetAutoSize(true);

    Label1 = new TLabel(this);
    Label1->SetParentFont(false);
    Label1->Font().SetBold(true);
    Label1->Font().SetHeight(21);
    Label1->Font().SetColor(clBlack);
    Label1->SetTransparent(true);
    Label1->SetParent(this);
    Label1->SetBounds(64, 16, 100, 21);

    // Right-aligned and sized to its text, it keeps its right edge at 324.
    Label2 = new TLabel(this);
    Label2->SetParentFont(false);
    Label2->Font().SetBold(true);
    Label2->Font().SetHeight(16);
    Label2->Font().SetColor(clBlack);
    Label2->SetTransparent(true);
    Label2->SetAlignment(TAlignment::taRightJustify);
    Label2->SetParent(this);
    Label2->SetBounds(224, 44, 100, 16);

    Panel1 = new TPanel(this);
    Panel1->SetParent(this);
    Panel1->SetBounds(52, 72, 241, 105);
    Panel1->SetColor(clWhite);
    Panel1->SetBevelInner(TBevelCut::bvNone);
    Panel1->SetBevelOuter(TBevelCut::bvNone);

    lblRights = NewCreditLabel(10, 8, "Copyright (C) 2026 Pictavo 開発チーム");
    URLLink1 = NewLink(10, 26, "Pictavo 開発チーム", "https://pictavo.example.org/");
    lblMaker = NewCreditLabel(URLLink1->Left() + URLLink1->Width() + 2, 26, "が制作しました");
    lblSplash = NewCreditLabel(10, 48, "スプラッシュ画像：");
    URLLink2 = NewLink(lblSplash->Left() + lblSplash->Width(), 48, "Pictavo デザイン",
                       "https://pictavo.example.org/design/splash/");
    lblButtons = NewCreditLabel(10, 66, "ボタンアイコン：");
    URLLink3 = NewLink(lblButtons->Left() + lblButtons->Width(), 66, "Pictavo デザイン",
                       "https://pictavo.example.org/design/buttons/");
    lblIcon = NewCreditLabel(10, 84, "ソフトウェアアイコン：");
    URLLink4 =
        NewLink(lblIcon->Left() + lblIcon->Width(), 84, "Pictavo デザイン", "https://pictavo.example.org/design/icon/");

    btnClose = new TPictureButton(this);
    btnClose->SetParent(this);
    btnClose->SetBounds(120, 192, 105, 25);
    btnClose->SetCaption("閉じる");
    StyleDialogButton(*btnClose);
    btnClose->OnClick = [this](TObject& sender) { btnCloseClick(sender); };
}

void TfrmVersion::ReadVersion(const std::string& versionSource) {
    // Whatever fails here only leaves the rest undone: the dialog is not worth an error.
    try {
        std::string productName;
        ReadVersionString(versionSource, vkProductName, productName);
        Label1->SetCaption(productName);
        std::string productVersion;
        ReadVersionString(versionSource, vkProductVersion, productVersion);
        Label2->SetCaption("Version: " + productVersion);
        auto icon = std::make_unique<TIcon>();
        icon->SetHandle(::CopyIcon(TApplication::Instance().Icon()));
        Image2->Picture().SetGraphic(std::move(icon));
    } catch (const std::exception&) {
    }
}

void TfrmVersion::FormShow(TObject&) {
    if (heldWindow_) heldWindow_->SetEnabled(false);
}

void TfrmVersion::FormCloseQuery(TObject&, bool& canClose) { canClose = true; }

void TfrmVersion::FormClose(TObject&, TCloseAction& action) {
    if (heldWindow_) heldWindow_->SetEnabled(true);
    action = TCloseAction::caHide;
}

void TfrmVersion::btnCloseClick(TObject&) { Close(); }
