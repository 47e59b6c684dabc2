#include "app/TForm1.h"

#include <iterator>

#include "app/TrayPictures.h"
#include "app/UserWindow.h"
#include "capture/CaptureToFile.h"
#include "movie/FrameCapture.h"
#include "movie/TMovieFrame.h"
#include "movie/WorkFolder.h"
#include "settings/FreeFileName.h"
#include "settings/TfrmVersion.h"
#include "toolkit/FilePath.h"
#include "toolkit/MessageBoxes.h"
#include "toolkit/PumpMessages.h"
#include "toolkit/TApplication.h"

TForm1* Form1 = nullptr;
TCaptureKind CaptureKind = ckNone;
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
    StartNumber = 0;
    FrameFileList.clear();
}

void TForm1::ConnectSettingsWindow(TForm2& settings) {
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
    StartNumber = settings.spnSetStartNum->Value();
}

void TForm1::Form2SettingsShow(TObject&, int& startNumber) {
    // Setting mode: no capture item works, so no hotkey does; a key pressed meanwhile does
    // not bring this window forward either.
    SetEnabled(false);
    startNumber = StartNumber;
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
    StartNumber = startNumber;
    SaveFolder = saveFolder;
}

void TForm1::Form2ShortCutsConfirmed(TObject&, const TShortCuts& shortCuts) {
    // Nothing is unregistered first, and a key the system refuses goes unreported.
    for (int index = 0; index < static_cast<int>(shortCuts.size()); ++index) {
        HookHotKey1->RegisterShortCut(index, shortCuts[static_cast<size_t>(index)]);
    }
    HookHotKey1->SetActivate(true);
}

void TForm1::Form2Quit(TObject&) { Close(); }

void TForm1::FormShow(TObject&) {
    CaptureKind = ckNone;
    Form2->Show();
    Form2->SetFocus();
    PumpMessages();
    PumpMessages();
    // Straight into shooting mode with the saved folder and keys, as the start button would
    // go, when the user asked not to see the settings at start.
    if (Form2->chkLoadSettingPass->Checked()) Form2->SkipToShootingMode();
}

void TForm1::FormClose(TObject&, TCloseAction&) {
    FrameFileList.clear();
    FrameFileList.shrink_to_fit();
}

void TForm1::TB_Capture_ALLClick(TObject&) {
    CaptureKind = ckWholeScreen;
    Timer1->SetEnabled(true);
}

void TForm1::TB_Capture_ActiveClick(TObject&) {
    // Chosen now: the window in front when the key was pressed is known exactly, while
    // the watcher's poll may not yet have seen the window the user clicked into.
    LastActiveWindow = WindowUserIsIn({keyForeground_, LastActiveWindow});
    CaptureKind = ckActiveWindow;
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
            if (CaptureKind == ckWholeScreen) {
                CaptureToFile(csWholeScreen, path, this, nullptr);
            } else if (CaptureKind == ckActiveWindow) {
                CaptureToFile(csWindow, path, this, LastActiveWindow);
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
    return ::FindFreeFileName(Form2->NamingRule(), Form2->NumberRange(), ExtractFilePath(path), fullPath);
}

void TForm1::TB_SetClick(TObject&) { Form2->Show(); }

void TForm1::TB_VersionClick(TObject&) {
    // Modeless: the tray menu stays usable while the dialog is up.
    if (!frmVersion) return;
    frmVersion->Show();
    frmVersion->BringToFront();
}

void TForm1::TB_EndClick(TObject&) { Close(); }

void TForm1::HookHotKey1HotKey(TObject&, int index) {
    // By the index each key is registered under.
    TMenuItem* items[] = {TB_Capture_ALL, TB_Capture_Active, TB_MovieCaptureStart, TB_MovieCaptureEnd};
    if (index < 0 || index >= static_cast<int>(std::size(items))) return;
    if (!items[index]->Enabled()) return;
    // Only for the command of this key: a later command from the menu must not find it.
    keyForeground_ = HookHotKey1->ForegroundAtPress();
    try {
        items[index]->Click();
    } catch (...) {
        keyForeground_ = nullptr;
        throw;
    }
    keyForeground_ = nullptr;
}

void TForm1::ActiveWindow1ActiveOn(TObject&) {
    // The main window comes to the front when the tray menu opens or a hotkey arrives; the
    // watcher still names the window the user was in, unless the foreground passed through
    // the taskbar or nothing on the way, which is no window to take a still of.
    HWND window = ActiveWindow1->ActWnd();
    if (window != Handle() && IsUserWindow(window)) LastActiveWindow = window;
}

void TForm1::ActiveWindow1ChangeActWnd(TObject&) {
    // Every window the user works in is remembered as soon as a poll sees it in front, so
    // that the way to the tray menu (the taskbar, no window) does not overwrite it.
    if (IsUserWindow(ActiveWindow1->ActWnd())) LastActiveWindow = ActiveWindow1->ActWnd();
}

void TForm1::TrayIcon1Click(TObject&) {
    // A single click on the icon ends a running recording. The icon reports a click the
    // double-click time after its release, so a click reported sooner than that after the
    // start was made before it: the very click that opened the menu to start the recording.
    const DWORD sinceStart = ::GetTickCount() - recordingStarted_;
    if (TB_MovieCaptureEnd->Enabled() && sinceStart >= ::GetDoubleClickTime() + 50) TB_MovieCaptureEnd->Click();
}

void TForm1::TB_MovieCaptureStartClick(TObject&) {
    // From here on the end command is the only one.
    TB_MovieCaptureEnd->SetEnabled(true);
    TB_MovieCaptureStart->SetEnabled(false);
    TB_Set->SetEnabled(false);
    TB_Version->SetEnabled(false);
    TB_End->SetEnabled(false);
    TrayIcon1->StartAnimation(false);
    recordingStarted_ = ::GetTickCount();
    FrameFileList.clear();
    FrameCounter = 0;
    // The first frame comes one interval after the start.
    Timer2->SetInterval(static_cast<unsigned>(Form2->spnRecTime->Value()));
    Timer2->SetEnabled(true);
}

void TForm1::Timer2Timer(TObject&) {
    ++FrameCounter;
    const std::string path = FrameFilePath(FrameCounter);
    CaptureFrameToFile(path, this);
    // Listed even when the write failed: the movie then stops at this frame.
    FrameFileList.push_back(path);
    ::Sleep(1);
}

void TForm1::TB_MovieCaptureEndClick(TObject&) {
    // Ending shows boxes and processes messages; a second end request (hotkey, tray click)
    // arriving meanwhile must find the command disabled, or it would run this again on the
    // same writer.
    TB_MovieCaptureEnd->SetEnabled(false);
    TrayIcon1->StopAnimation();
    Timer2->SetEnabled(false);
    PumpMessages();
    WriteMovie();
    PumpMessages();
    try {
        DeleteWorkFolder(WorkFolderPath());
    } catch (...) {
        // The frames stay; the next recording writes over them.
    }
    PumpMessages();
    TB_MovieCaptureStart->SetEnabled(true);
    TB_Set->SetEnabled(true);
    TB_Version->SetEnabled(true);
    TB_End->SetEnabled(true);
}

void TForm1::WriteMovie() {
    const char failed[] = "ムービーを出力できませんでした";
    try {
        std::string path;
        if (!FindFreeFileName(SaveFolder + Form2->MakeFileName(StartNumber), path)) {
            MessageBoxes::Warning(failed);
            return;
        }
        OrskAvi1->SetFileName(path);
        OrskAvi1->SetPreCompress(true);
        OrskAvi1->SetCompress(Form2->chkCompress->Checked());
        OrskAvi1->SetFrameRate(Form2->spnFrameRate->Value());
        if (!OrskAvi1->Open()) {
            MessageBoxes::Warning(failed);
            return;
        }
        TMovieFrame frame;
        for (const std::string& file : FrameFileList) {
            frame.Clear();
            frame.LoadFromFile(file);
            // False only for a frame the compressor skipped; a frame that cannot be stored
            // raises.
            OrskAvi1->AddFrame(frame);
        }
        if (!OrskAvi1->Close()) {
            MessageBoxes::Warning(failed);
            return;
        }
        FrameFileList.clear();
        MessageBoxes::Information("ムービーを出力しました");
    } catch (const std::exception&) {
        // A frame that cannot be read ends the movie there: what was written is closed
        // into a complete file, and the library is released. A frame that could not be
        // stored has closed the writer already.
        OrskAvi1->Close();
        MessageBoxes::Warning(failed);
    }
}

void TForm1::DeleteWorkFolder(const std::string& path) {
    // A recording ended before its first frame made no folder: nothing to delete.
    if (::GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES) return;
    if (DeleteFolderTree(Handle(), path) != 0) {
        MessageBoxes::Plain("一時フォルダの削除に失敗しました。", TApplication::Instance().Title(), MB_OK);
    }
}
