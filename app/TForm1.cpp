#include "app/TForm1.h"

#include "app/TrayPictures.h"
#include "app/UserWindow.h"
#include "settings/ShortCutText.h"
#include "settings/TForm2.h"
#include "settings/TfrmVersion.h"
#include "toolkit/MessageBoxes.h"
#include "toolkit/PumpMessages.h"
#include "toolkit/StartupSteps.h"
#include "toolkit/TApplication.h"

TForm1* Form1 = nullptr;

namespace {
// A window the user asked for from the tray menu: shown (or left shown), in front of every
// other program's windows, active and with the keyboard on its control. The menu made this
// program the one in front, and only that one may hand the foreground on.
void ShowToUser(TForm& form) {
    form.Show();
    ::SetForegroundWindow(form.Handle());
    form.BringToFront();
    form.SetFocus();
}
}  // namespace

TForm1::TForm1(TComponent* owner) : TForm(owner) {
    Form1 = this;
    SetCaption("Form1");
    SetBorderStyle(TFormBorderStyle::bsNone);
    SetSystemMenu(false);
    // Takes no input and covers nothing: it exists to own the menu and the components.
    SetEnabled(false);
    SetWindowState(TWindowState::wsMaximized);
    Font().SetCharset(SHIFTJIS_CHARSET);

    // Made in this order and destroyed in reverse, so the tray icon, made first, leaves the
    // notification area last.
    TrayIcon1 = new TTrayIcon(this);
    BuildMenu();
    Timer1 = new TTimer(this);
    Timer1->SetEnabled(false);
    Timer1->SetInterval(1);
    Timer1->SetOnTimer([this](TObject& sender) { Timer1Timer(sender); });
    ActiveWindow1 = new TActiveWindow(this);
    ActiveWindow1->OnActiveOn = [this](TObject& sender) { ActiveWindow1ActiveOn(sender); };
    ActiveWindow1->OnChangeActWnd = [this](TObject& sender) { ActiveWindow1ChangeActWnd(sender); };
    HookHotKey1 = new TCaptureHotKey(this);
    HookHotKey1->OnHotKey = [this](TObject& sender, int index) { HookHotKey1HotKey(sender, index); };
    OrskAvi1 = new TOrskAvi(this);
    OrskAvi1->SetWidth(320);
    OrskAvi1->SetHeight(240);
    OrskAvi1->SetCompress(true);
    OrskAvi1->SetPreCompress(false);
    OrskAvi1->SetFrameRate(30);
    OrskAvi1->SetBitDepth(16);
    Timer2 = new TTimer(this);
    Timer2->SetEnabled(false);
    Timer2->SetInterval(1000);
    Timer2->SetOnTimer([this](TObject& sender) { Timer2Timer(sender); });
    TBImageList1 = new TImageList(this, 32, 32);
    AddRecordingPictures(*TBImageList1);

    still_ = std::make_unique<TStillCapture>(*this, *Timer1, captureSettings_);
    recorder_ = std::make_unique<TMovieRecorder>(*this, *Timer2, *TrayIcon1, *OrskAvi1, captureSettings_);

    TrayIcon1->ReadState([this] {
        TrayIcon1->SetTipHelp("Pictavo");
        TrayIcon1->SetLBPopupMenu(TBPopupMenu1);
        TrayIcon1->SetRBPopupMenu(TBPopupMenu1);
        TrayIcon1->SetAnimateIcons(TBImageList1);
        TrayIcon1->OnClick = [this](TObject& sender) { TrayIcon1Click(sender); };
        TrayIcon1->OnAddRefused = [this](TObject& sender) { TrayIcon1AddRefused(sender); };
        TrayIcon1->OnPopupClosed = [this](TObject& sender, HWND before) { TrayIcon1PopupClosed(sender, before); };
        TrayIcon1->SetVisible(true);
    });
    // Puts the icon into the notification area, or has it wait there for the shell.
    FinishLoading();

    OnShow = [this](TObject& sender) { FormShow(sender); };
    OnClose = [this](TObject& sender, TCloseAction& action) { FormClose(sender, action); };
    FormCreate(*this);
}

TForm1::~TForm1() = default;

void TForm1::CreateParams(TCreateParams& params) {
    TForm::CreateParams(params);
    // Shown once at start, never seen: no size, no taskbar button.
    params.exStyle |= WS_EX_TOOLWINDOW;
}

LRESULT TForm1::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    // Its state says maximised, and a maximised borderless window covers the monitor (on
    // Windows it does), taking every click there while disabled: it keeps no size, however
    // it is shown, maximised or moved.
    if (message == WM_GETMINMAXINFO) {
        auto* limits = reinterpret_cast<MINMAXINFO*>(lParam);
        limits->ptMaxSize = {0, 0};
        limits->ptMinTrackSize = {0, 0};
        limits->ptMaxTrackSize = {0, 0};
        return 0;
    }
    if (message == WM_WINDOWPOSCHANGING) {
        auto* position = reinterpret_cast<WINDOWPOS*>(lParam);
        position->cx = 0;
        position->cy = 0;
    }
    return TForm::WndProc(message, wParam, lParam);
}

void TForm1::BuildMenu() {
    TBSkin1 = new TBSkin(this);
    TBSkin1->SetGradient(TTBGradient::tbgLeftRight);
    TBSkin1->SetImageStyle(TTBImageStyle::tbimsGradHorz);
    TBSkin1->SetOptions(0);
    TBPopupMenu1 = new TTBPopupMenu(this);
    TBPopupMenu1->SetSkin(TBSkin1);
    auto item = [this](const std::string& caption, void (TForm1::*handler)(TObject&)) {
        auto* menuItem = new TTBItem(TBPopupMenu1, caption);
        TBPopupMenu1->Add(menuItem);
        if (handler) menuItem->OnClick = [this, handler](TObject& sender) { (this->*handler)(sender); };
        return menuItem;
    };
    auto separator = [this] { TBPopupMenu1->Add(TMenuItem::Separator(TBPopupMenu1)); };

    TB_PopUp_Title = item("", nullptr);
    separator();
    TB_Capture_ALL = item("画面全体をキャプチャ", &TForm1::TB_Capture_ALLClick);
    TB_Capture_Active = item("アクティブなウインドウだけをキャプチャ", &TForm1::TB_Capture_ActiveClick);
    separator();
    TB_MovieCaptureStart = item("動画撮影開始", &TForm1::TB_MovieCaptureStartClick);
    TB_MovieCaptureEnd = item("動画撮影終了", &TForm1::TB_MovieCaptureEndClick);
    // Only a running recording can be ended; the start command enables it.
    TB_MovieCaptureEnd->SetEnabled(false);
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
    TB_PopUp_Title->SetToolbarStyle(true);
    ActiveWindow1->StartWatch();
    captureSettings_.SetStartNumber(0);
}

void TForm1::ConnectSettingsWindow(TForm2& settings) {
    settingsWindow_ = &settings;
    captureSettings_.Connect(settings);
    settings.OnSettingsShow = [this](TObject& sender, int& startNumber) { Form2SettingsShow(sender, startNumber); };
    settings.OnSettingsHide = [this](TObject& sender, int saveMode) { Form2SettingsHide(sender, saveMode); };
    settings.OnStartPhotographing = [this](TObject& sender, const std::string& saveFolder, int startNumber) {
        Form2StartPhotographing(sender, saveFolder, startNumber);
    };
    settings.OnShortCutsConfirmed = [this](TObject& sender, const TShortCuts& shortCuts) {
        Form2ShortCutsConfirmed(sender, shortCuts);
    };
    settings.OnQuit = [this](TObject& sender) { Form2Quit(sender); };
    // As loaded from the settings file, whether or not the start number is switched on.
    captureSettings_.SetStartNumber(settings.NumberRange().first);
}

void TForm1::Form2SettingsShow(TObject&, int& startNumber) {
    // Setting mode: no capture item works, so no hotkey does; a key pressed meanwhile does
    // not bring this window forward either.
    SetEnabled(false);
    startNumber = captureSettings_.StartNumber();
    TB_Capture_Active->SetEnabled(false);
    TB_Capture_ALL->SetEnabled(false);
    TB_MovieCaptureStart->SetEnabled(false);
    TB_MovieCaptureEnd->SetEnabled(false);
    HookHotKey1->SetActivate(false);
}

void TForm1::Form2SettingsHide(TObject&, int saveMode) {
    if (saveMode != kModeAvi) {
        TB_Capture_Active->SetEnabled(true);
        TB_Capture_ALL->SetEnabled(true);
    } else {
        TB_MovieCaptureStart->SetEnabled(true);
    }
}

void TForm1::Form2StartPhotographing(TObject&, const std::string& saveFolder, int startNumber) {
    captureSettings_.SetStartNumber(startNumber);
    captureSettings_.SetSaveFolder(saveFolder);
}

void TForm1::Form2ShortCutsConfirmed(TObject&, const TShortCuts& shortCuts) {
    // A key changed in the settings lets the old one go, a cleared one is let go, and an
    // unchanged one stays registered as it is.
    const std::vector<int> refused = HookHotKey1->ReplaceShortCuts(shortCuts);
    HookHotKey1->SetActivate(true);
    if (refused.empty()) return;
    // The other keys work; the user learns which do not, and why they may not: a key given
    // to two commands is the program's own for the first of them.
    std::string keys;
    for (int index : refused) {
        const TShortCut key = shortCuts[static_cast<size_t>(index)];
        keys += "・" + ShortCutToText(key) + "（" + HotKeyItems()[static_cast<size_t>(index)]->Caption() + "）";
        for (int other = 0; other < index; ++other) {
            if (shortCuts[static_cast<size_t>(other)] == key) {
                keys += "：「" + HotKeyItems()[static_cast<size_t>(other)]->Caption() + "」と同じキーです";
                break;
            }
        }
        keys += "\r\n";
    }
    MessageBoxes::Warning("次のショートカットキーを登録できませんでした。\r\n" + keys +
                          "他のプログラムが使用している可能性があります。\r\n"
                          "設定画面で別のキーに変更してください。");
}

void TForm1::Form2Quit(TObject&) { Close(); }

void TForm1::FormShow(TObject&) {
    still_->ClearPending();
    if (!settingsWindow_) return;
    settingsWindow_->Show();
    StartupSteps::Reached("TForm2 shown");
    settingsWindow_->SetFocus();
    PumpMessages();
    PumpMessages();
    StartupSteps::Reached("messages after showing done");
    // Straight into shooting mode with the saved folder and keys, as the start button would
    // go, when the user asked not to see the settings at start.
    if (settingsWindow_->SkipsWindowAtStart()) settingsWindow_->SkipToShootingMode();
}

void TForm1::FormClose(TObject&, TCloseAction&) {
    // The close action stays the default; the frame list goes with the recorder.
}

void TForm1::TB_Capture_ALLClick(TObject&) { still_->Request(ckWholeScreen); }

void TForm1::TB_Capture_ActiveClick(TObject&) { still_->Request(ckActiveWindow); }

void TForm1::Timer1Timer(TObject&) { still_->Take(); }

bool TForm1::FindFreeFileName(const std::string& path, std::string& fullPath) {
    return captureSettings_.FindFreeFileName(path, fullPath);
}

void TForm1::TB_SetClick(TObject&) {
    if (settingsWindow_) ShowToUser(*settingsWindow_);
}

void TForm1::TB_VersionClick(TObject&) {
    // Modeless: the tray menu stays usable while the dialog is up.
    if (frmVersion) ShowToUser(*frmVersion);
}

void TForm1::TB_EndClick(TObject&) { Close(); }

std::array<TTBItem*, 4> TForm1::HotKeyItems() const {
    return {TB_Capture_ALL, TB_Capture_Active, TB_MovieCaptureStart, TB_MovieCaptureEnd};
}

void TForm1::HookHotKey1HotKey(TObject&, int index) {
    const auto items = HotKeyItems();
    if (index < 0 || index >= static_cast<int>(items.size())) return;
    TTBItem* item = items[static_cast<size_t>(index)];
    if (!item->Enabled()) return;
    // The window that was in front when the key went down is the one the user was in: the
    // key knows it better than the watcher's last poll does. A still gives it back its
    // activation; the active-window still is the item's command with that window.
    still_->RememberUserWindow(HookHotKey1->ForegroundAtPress());
    if (item == TB_Capture_Active) {
        still_->Request(ckActiveWindow, HookHotKey1->ForegroundAtPress());
        return;
    }
    item->Click();
}

void TForm1::ActiveWindow1ActiveOn(TObject&) {
    // The main window comes to the front when the tray menu opens or a hotkey arrives; the
    // watcher still names the window the user was in, unless the foreground passed through
    // the taskbar or nothing on the way, which is no window to take a still of.
    still_->RememberUserWindow(ActiveWindow1->ActWnd());
}

void TForm1::ActiveWindow1ChangeActWnd(TObject&) {
    // Every window the user works in is remembered as soon as a poll sees it in front, so
    // that the way to the tray menu (the taskbar, no window) does not overwrite it.
    still_->RememberUserWindow(ActiveWindow1->ActWnd());
}

void TForm1::TrayIcon1PopupClosed(TObject&, HWND before) {
    // This window came forward for the menu alone. A command that showed a window has given
    // that one the foreground; otherwise it goes back to the window the user was in (one of
    // this program's, as the settings, or another's: on the way to the icon the foreground
    // may have passed through the taskbar, which is not it), or keys typed next would reach
    // no window the user sees. While this window is in front, the program may still hand the
    // foreground on.
    if (::GetForegroundWindow() != Handle()) return;
    DWORD process = 0;
    ::GetWindowThreadProcessId(before, &process);
    const bool own = process == ::GetCurrentProcessId() && ::IsWindowVisible(before);
    HWND user = own ? before : WindowUserIsIn({before, still_->LastActiveWindow()});
    if (!user) user = before;
    if (user && user != Handle() && ::IsWindowVisible(user)) ::SetForegroundWindow(user);
}

void TForm1::TrayIcon1Click(TObject&) {
    // A single click on the icon ends a running recording, but not the very click that
    // opened the menu to start it.
    if (TB_MovieCaptureEnd->Enabled() && recorder_->ClickCameAfterStart()) TB_MovieCaptureEnd->Click();
}

void TForm1::TrayIcon1AddRefused(TObject&) {
    MessageBoxes::Warning(
        "タスクトレイにアイコンを登録できません。\r\n"
        "ショートカットキーでの撮影はこのまま使えます。\r\n"
        "タスクトレイが使えるようになると、アイコンが表示されます。");
}

void TForm1::TB_MovieCaptureStartClick(TObject&) {
    // From here on the end command is the only one.
    TB_MovieCaptureEnd->SetEnabled(true);
    TB_MovieCaptureStart->SetEnabled(false);
    TB_Set->SetEnabled(false);
    TB_Version->SetEnabled(false);
    TB_End->SetEnabled(false);
    recorder_->Start();
}

void TForm1::Timer2Timer(TObject&) { recorder_->TakeFrame(); }

void TForm1::TB_MovieCaptureEndClick(TObject&) {
    // Ending shows boxes and processes messages; a second end request (hotkey, tray click)
    // arriving meanwhile must find the command disabled, or it would run this again on the
    // same writer.
    TB_MovieCaptureEnd->SetEnabled(false);
    recorder_->End();
    TB_MovieCaptureStart->SetEnabled(true);
    TB_Set->SetEnabled(true);
    TB_Version->SetEnabled(true);
    TB_End->SetEnabled(true);
}

void TForm1::DeleteWorkFolder(const std::string& path) { recorder_->DeleteWorkFolder(path); }
