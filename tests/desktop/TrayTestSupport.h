#pragma once
// What the tray icon tests share: a menu that only remembers where it was opened, the
// shell's mouse notifications sent by hand, and the end of the click timing.
#include <windows.h>

#include <vector>

#include "desktop/TCallbackWindow.h"
#include "desktop/TTrayIcon.h"
#include "toolkit/TPopupMenu.h"

class RecordingMenu : public TPopupMenu {
public:
    using TPopupMenu::TPopupMenu;
    void Popup(int x, int y) override {
        opened.push_back({x, y});
        foregroundAtOpen = ::GetForegroundWindow();
    }
    std::vector<POINT> opened;
    HWND foregroundAtOpen = nullptr;
};

// As the shell reports a mouse message on the icon.
inline void SendMouse(const TTrayIcon& icon, UINT mouseMessage) {
    ::SendMessageA(TTrayIcon::CallbackWindow()->Handle(), TCallbackWindow::kNotifyMessage, icon.IconNumber(),
                   mouseMessage);
}

// True once no single-click wait is left, so every click has been decided.
inline bool ClickDecided() { return TTrayIcon::CallbackWindow()->PendingSingleClicks() == 0; }
