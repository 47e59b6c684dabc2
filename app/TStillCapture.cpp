#include "app/TStillCapture.h"

#include <utility>

#include "app/SettledScreen.h"
#include "app/UserWindow.h"
#include "capture/CaptureToFile.h"
#include "toolkit/FlagUp.h"
#include "toolkit/MessageBoxes.h"
#include "toolkit/PumpMessages.h"

namespace {
// The longest the grab waits for the screen to settle: what a hung program has not drawn
// by then is taken as it is.
constexpr DWORD kSettleTime = 1000;

RECT ScreenArea() { return RECT{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)}; }
}  // namespace

TStillCapture::TStillCapture(TForm& mainWindow, TTimer& trigger, const TCaptureSettings& settings)
    : mainWindow_(mainWindow), trigger_(trigger), settings_(settings) {}

void TStillCapture::Request(TCaptureKind kind, HWND seenInFront) {
    // Chosen now: the window in front when a key was pressed is known exactly, while the
    // watcher's poll may not yet have seen the window the user clicked into.
    if (kind == ckActiveWindow) lastActiveWindow_ = WindowUserIsIn({seenInFront, lastActiveWindow_});
    kind_ = kind;
    pending_ = true;
    if (taking_) {
        again_ = true;
    } else {
        trigger_.SetEnabled(true);
    }
}

void TStillCapture::RememberUserWindow(HWND window) {
    // No window of this program passes, the main window included.
    if (!pending_ && IsUserWindow(window)) lastActiveWindow_ = window;
}

void TStillCapture::Take() {
    trigger_.SetEnabled(false);
    if (taking_) return;
    const FlagUp taking(taking_);
    // What a command coming meanwhile asks for is its own still's.
    const TCaptureKind kind = kind_;
    const HWND window = lastActiveWindow_;
    // The key brought the main window forward and greyed the window the user was in. That
    // window takes its activation back first, while this program is still in front: only
    // the program in front may hand the foreground on, and hidden, the main window would
    // leave it to whichever window the system picks.
    if (IsUserWindow(window)) ReturnForeground(window);
    mainWindow_.Hide();
    mainWindow_.SetWindowState(TWindowState::wsMinimized);
    // The hiding and the repaint of what lay beneath are done before the grab.
    PumpMessages();
    ::SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    try {
        std::string path;
        if (settings_.NextFreePath(path)) {
            if (kind == ckWholeScreen) {
                WaitForSettledScreen(window, ScreenArea(), kSettleTime);
                CaptureToFile(csWholeScreen, path, &mainWindow_, nullptr);
            } else if (kind == ckActiveWindow) {
                RECT area{};
                ::GetWindowRect(window, &area);
                WaitForSettledScreen(window, area, kSettleTime);
                CaptureToFile(csWindow, path, &mainWindow_, window);
            }
        } else {
            MessageBoxes::Warning("ファイルを出力できませんでした");
        }
    } catch (const std::exception&) {
        MessageBoxes::Warning("ファイルを出力できませんでした");
    }
    mainWindow_.SetWindowState(TWindowState::wsMaximized);
    pending_ = std::exchange(again_, false);
    if (pending_) trigger_.SetEnabled(true);
}
