#include "app/TForm1.h"

#include "app/TrayPictures.h"
#include "capture/CaptureToFile.h"
#include "settings/TFolderEntries.h"
#include "settings/TForm2.h"
#include "toolkit/FilePath.h"
#include "toolkit/MessageBoxes.h"
#include "toolkit/PumpMessages.h"
#include "toolkit/TApplication.h"

TForm1* Form1 = nullptr;
int CaptureKind = 0;
HWND LastActiveWindow = nullptr;

TForm1::TForm1(TComponent* owner) : TForm(owner) {
    Form1 = this;
    SetCaption("Form1");
    SetBorderStyle(TFormBorderStyle::bsNone);
    SetSystemMenu(false);
    // Takes no input and covers nothing: it exists to own the menu and the components.
    SetEnabled(false);
    SetWindowState(TWindowState::wsMaximized);
    Font().SetCharset(SHIFTJIS_CHARSET);

    // Made in the order of the window's definition; they go in reverse, so the tray icon,
    // made first, leaves the notification area last.
    TrayIcon1 = new TTrayIcon(this);
    BuildMenu();
    Timer1 = new TTimer(this);
    Timer1->SetEnabled(false);
    Timer1->SetInterval(1);
    Timer1->SetOnTimer([this](TObject& sender) { Timer1Timer(sender); });
    ActiveWindow1 = new TActiveWindow(this);
    ActiveWindow1->OnActiveOn = [this](TObject& sender) { ActiveWindow1ActiveOn(sender); };
    HookHotKey1 = new THookHotKey(this);
    HookHotKey1->OnHotKey = [this](TObject& sender, int index) { HookHotKey1HotKey(sender, index); };
    Timer2 = new TTimer(this);
    Timer2->SetEnabled(false);
    Timer2->SetInterval(1000);
    TBImageList1 = new TImageList(this, 32, 32);
    AddRecordingPictures(*TBImageList1);

    TrayIcon1->ReadState([this] {
        TrayIcon1->SetTipHelp("Pictavo");
        TrayIcon1->SetLBPopupMenu(TBPopupMenu1);
        TrayIcon1->SetRBPopupMenu(TBPopupMenu1);
        TrayIcon1->SetAnimateIcons(TBImageList1);
        TrayIcon1->OnClick = [this](TObject& sender) { TrayIcon1Click(sender); };
        TrayIcon1->SetVisible(true);
    });
    // Puts the icon into the notification area.
    FinishLoading();

    OnShow = [this](TObject& sender) { FormShow(sender); };
    OnClose = [this](TObject& sender, TCloseAction& action) { FormClose(sender, action); };
    FormCreate(*this);
}

void TForm1::CreateParams(TCreateParams& params) {
    TForm::CreateParams(params);
    // Shown once at start, never seen: no size, no taskbar button.
    params.exStyle |= WS_EX_TOOLWINDOW;
}

void TForm1::BuildMenu() {
    TBPopupMenu1 = new TPopupMenu(this);
    auto item = [this](const std::string& caption, void (TForm1::*handler)(TObject&)) {
        auto* menuItem = TBPopupMenu1->Add(new TMenuItem(TBPopupMenu1, caption));
        if (handler) menuItem->OnClick = [this, handler](TObject& sender) { (this->*handler)(sender); };
        return menuItem;
    };
    auto separator = [this] { TBPopupMenu1->Add(TMenuItem::Separator(TBPopupMenu1)); };

    TB_PopUp_Title = item("", nullptr);
    separator();
    TB_Capture_ALL = item("画面全体をキャプチャ", &TForm1::TB_Capture_ALLClick);
    TB_Capture_Active = item("アクティブなウインドウだけをキャプチャ", &TForm1::TB_Capture_ActiveClick);
    separator();
    TB_MovieCaptureStart = item("動画撮影開始", nullptr);
    TB_MovieCaptureEnd = item("動画撮影終了", nullptr);
    separator();
    TB_Set = item("設定", &TForm1::TB_SetClick);
    separator();
    TB_Version = item("バージョン情報", &TForm1::TB_VersionClick);
    separator();
    TB_End = item("終了", &TForm1::TB_EndClick);
}

void TForm1::FormCreate(TObject&) {
    ::ShowWindow(TApplication::Instance().Handle(), SW_HIDE);
    TB_PopUp_Title->SetCaption(TApplication::Instance().Title());
    TB_PopUp_Title->SetEnabled(false);
    TB_PopUp_Title->SetDefault(true);
    ActiveWindow1->StartWatch();
    StartNumber = 0;
    FrameFileList.clear();
}

void TForm1::FormShow(TObject&) {
    CaptureKind = 0;
    Form2->Show();
    Form2->SetFocus();
    PumpMessages();
    PumpMessages();
    if (Form2->chkLoadSettingPass->Checked()) Form2->Hide();
}

void TForm1::FormClose(TObject&, TCloseAction&) {
    FrameFileList.clear();
    FrameFileList.shrink_to_fit();
}

void TForm1::TB_Capture_ALLClick(TObject&) {
    CaptureKind = 1;
    Timer1->SetEnabled(true);
}

void TForm1::TB_Capture_ActiveClick(TObject&) {
    CaptureKind = 2;
    Timer1->SetEnabled(true);
}

void TForm1::Timer1Timer(TObject&) {
    Timer1->SetEnabled(false);
    Hide();
    SetWindowState(TWindowState::wsMinimized);
    PumpMessages();
    ::SetWindowPos(LastActiveWindow, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    try {
        const std::string candidate = SaveFolder + Form2->MakeFileName(StartNumber);
        std::string path;
        if (FindFreeFileName(candidate, path)) {
            if (CaptureKind == 1) {
                CaptureToFile(0, path, this, nullptr);
            } else if (CaptureKind == 2) {
                CaptureToFile(1, path, this, LastActiveWindow);
            }
        } else {
            MessageBoxes::Warning("ファイルを出力できませんでした");
        }
    } catch (const std::exception&) {
        MessageBoxes::Warning("ファイルを出力できませんでした");
    }
    SetWindowState(TWindowState::wsMaximized);
}

bool TForm1::FindFreeFileName(const std::string& path, std::string& fullPath) {
    const std::string folder = ExtractFilePath(path);
    const int start = Form2->spnSetStartNum->Value();
    const int end = Form2->spnSetEndNum->Value();
    // One look at the folder serves the whole range; the rule is read once, as it cannot
    // change while the search runs.
    const TNamingRule rule = Form2->NamingRule();
    const TFolderEntries entries(folder);
    std::string candidate;
    for (long long number = start; number <= end; ++number) {
        const std::string name = rule.FileName(static_cast<int>(number));
        candidate = folder + name;
        if (!entries.Exists(name)) {
            fullPath = candidate;
            return true;
        }
    }
    MessageBoxes::Information("番号を使い終わりました");
    fullPath = candidate;
    return false;
}

void TForm1::TB_SetClick(TObject&) { Form2->Show(); }

void TForm1::TB_VersionClick(TObject&) {
    // frmVersion->Show() plugs in here.
}

void TForm1::TB_EndClick(TObject&) { Close(); }

void TForm1::HookHotKey1HotKey(TObject&, int index) {
    TMenuItem* items[] = {TB_Capture_ALL, TB_Capture_Active, TB_MovieCaptureStart, TB_MovieCaptureEnd};
    if (index < 0 || index > 3) return;
    if (items[index]->Enabled()) items[index]->Click();
}

void TForm1::ActiveWindow1ActiveOn(TObject&) {
    // The main window comes to the front when the tray menu opens or a hotkey arrives; the
    // watcher still names the window the user was in.
    HWND window = ActiveWindow1->ActWnd();
    if (window != Handle()) LastActiveWindow = window;
}

void TForm1::TrayIcon1Click(TObject&) {
    // A click on the icon ends a running recording; the recording fills this in.
}
