#include "app/TStillCapture.h"

#include "app/UserWindow.h"
#include "capture/CaptureToFile.h"
#include "toolkit/MessageBoxes.h"
#include "toolkit/PumpMessages.h"

TStillCapture::TStillCapture(TForm& mainWindow, TTimer& trigger, const TCaptureSettings& settings)
    : mainWindow_(mainWindow), trigger_(trigger), settings_(settings) {}

void TStillCapture::Request(TCaptureKind kind, HWND seenInFront) {
    // Chosen now: the window in front when a key was pressed is known exactly, while the
    // watcher's poll may not yet have seen the window the user clicked into.
    if (kind == ckActiveWindow) lastActiveWindow_ = WindowUserIsIn({seenInFront, lastActiveWindow_});
    kind_ = kind;
    trigger_.SetEnabled(true);
}

void TStillCapture::RememberUserWindow(HWND window) {
    // No window of this program passes, the main window included.
    if (IsUserWindow(window)) lastActiveWindow_ = window;
}

void TStillCapture::Take() {
    trigger_.SetEnabled(false);
    mainWindow_.Hide();
    mainWindow_.SetWindowState(TWindowState::wsMinimized);
    // The hiding and the repaint of what lay beneath are done before the grab.
    PumpMessages();
    ::SetWindowPos(lastActiveWindow_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    try {
        std::string path;
        if (settings_.NextFreePath(path)) {
            if (kind_ == ckWholeScreen) {
                CaptureToFile(csWholeScreen, path, &mainWindow_, nullptr);
            } else if (kind_ == ckActiveWindow) {
                CaptureToFile(csWindow, path, &mainWindow_, lastActiveWindow_);
            }
        } else {
            MessageBoxes::Warning("ファイルを出力できませんでした");
        }
    } catch (const std::exception&) {
        MessageBoxes::Warning("ファイルを出力できませんでした");
    }
    mainWindow_.SetWindowState(TWindowState::wsMaximized);
}
