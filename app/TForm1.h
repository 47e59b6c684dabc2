#pragma once
// The hidden main window: it owns the tray menu, whose enabled items are the program's
// modes, and dispatches the hotkeys to the menu's items. Its handlers are thin: the still
// capture and the movie recording are units of their own. Closing it ends the program.
#include <windows.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "app/TCaptureHotKey.h"
#include "app/TCaptureSettings.h"
#include "app/TMovieRecorder.h"
#include "app/TStillCapture.h"
#include "desktop/TActiveWindow.h"
#include "desktop/TTrayIcon.h"
#include "movie/TOrskAvi.h"
#include "settings/TSettingsValues.h"
#include "toolbar/TBSkin.h"
#include "toolbar/TTBItem.h"
#include "toolbar/TTBPopupMenu.h"
#include "toolkit/TForm.h"
#include "toolkit/TImageList.h"
#include "toolkit/TTimer.h"

class TForm2;

class TForm1 : public TForm {
public:
    explicit TForm1(TComponent* owner);
    ~TForm1() override;

    // The program's only permanent presence: the icon in the notification area, whose
    // menu (either button) is TBPopupMenu1 and whose recording animation is TBImageList1.
    TTrayIcon* TrayIcon1;
    TTBPopupMenu* TBPopupMenu1;
    TTBItem* TB_PopUp_Title;
    TTBItem* TB_Capture_ALL;
    TTBItem* TB_Capture_Active;
    TTBItem* TB_MovieCaptureStart;
    TTBItem* TB_MovieCaptureEnd;
    TTBItem* TB_Set;
    TTBItem* TB_Version;
    TTBItem* TB_End;
    // The program's skin, in which the tray menu is drawn.
    TBSkin* TBSkin1;
    // One-shot still trigger.
    TTimer* Timer1;
    // Remembers the window the user worked in before the main window came to the front.
    TActiveWindow* ActiveWindow1;
    // The four capture keys, registered by the settings window (its start button, or a start
    // that skips it).
    TCaptureHotKey* HookHotKey1;
    // Writes every movie: 320 x 240 at 16 bits.
    TOrskAvi* OrskAvi1;
    // Movie frame timer.
    TTimer* Timer2;
    TImageList* TBImageList1;

    // The save folder with a trailing backslash, and the sequence number a file name is
    // first built from, as the settings window hands them over (the folder is empty until
    // the settings are confirmed, or handed over by a start that skips the window).
    const std::string& SaveFolder() const { return captureSettings_.SaveFolder(); }
    void SetSaveFolder(const std::string& folder) { captureSettings_.SetSaveFolder(folder); }
    int StartNumber() const { return captureSettings_.StartNumber(); }
    void SetStartNumber(int number) { captureSettings_.SetStartNumber(number); }
    // The pending still, and the window an active-window still takes.
    TCaptureKind CaptureKind() const { return still_->PendingKind(); }
    HWND LastActiveWindow() const { return still_->LastActiveWindow(); }
    // The frame files of the current recording, in the order they were taken, and the
    // number of the last one.
    const std::vector<std::string>& FrameFileList() const { return recorder_->Frames(); }
    int FrameCounter() const { return recorder_->FrameCounter(); }

    // The first free name of the configured number range in the folder of `path`.
    // False (after telling the user) when every number is taken.
    bool FindFreeFileName(const std::string& path, std::string& fullPath);

    // Wires the settings window's events to this window, reads the settings through it and
    // takes its start number: the last step of making the settings window.
    void ConnectSettingsWindow(TForm2& settings);

    void FormCreate(TObject& sender);
    void FormShow(TObject& sender);
    void FormClose(TObject& sender, TCloseAction& action);
    void TB_Capture_ALLClick(TObject& sender);
    void TB_Capture_ActiveClick(TObject& sender);
    void Timer1Timer(TObject& sender);
    void TB_SetClick(TObject& sender);
    void TB_VersionClick(TObject& sender);
    void TB_EndClick(TObject& sender);
    void HookHotKey1HotKey(TObject& sender, int index);
    void ActiveWindow1ActiveOn(TObject& sender);
    void ActiveWindow1ChangeActWnd(TObject& sender);
    void TrayIcon1Click(TObject& sender);
    // The shell has not taken the tray icon for a long while; the icon still waits for it.
    void TrayIcon1AddRefused(TObject& sender);
    void TrayIcon1PopupClosed(TObject& sender, HWND before);
    void TB_MovieCaptureStartClick(TObject& sender);
    void Timer2Timer(TObject& sender);
    void TB_MovieCaptureEndClick(TObject& sender);
    // The settings window's events.
    void Form2SettingsShow(TObject& sender, int& startNumber);
    void Form2SettingsHide(TObject& sender, int saveMode);
    void Form2StartPhotographing(TObject& sender, const std::string& saveFolder, int startNumber);
    void Form2ShortCutsConfirmed(TObject& sender, const TShortCuts& shortCuts);
    void Form2Quit(TObject& sender);
    // Deletes the folder and its content through the shell; says so when that fails.
    void DeleteWorkFolder(const std::string& path);

protected:
    void CreateParams(TCreateParams& params) override;
    // Shown once at start without taking the activation.
    int ShowCommand() const override { return SW_SHOWNA; }
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void BuildMenu();
    // The menu item each hotkey index clicks.
    std::array<TTBItem*, 4> HotKeyItems() const;

    TForm2* settingsWindow_ = nullptr;
    TCaptureSettings captureSettings_;
    std::unique_ptr<TStillCapture> still_;
    std::unique_ptr<TMovieRecorder> recorder_;
};

extern TForm1* Form1;
