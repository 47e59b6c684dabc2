#pragma once
// A window's place in the system's chain of clipboard viewers: joined when the window is
// made, left before it goes. Every notice is passed on to the next viewer first (an error in
// the window's own handling must not cut the chain of the other programs); then the window
// hears whether the clipboard holds files or shell items to paste.
#include <windows.h>

#include <functional>

class TShClipboardViewer {
public:
    void Join(HWND window);
    void Leave(HWND window);
    // Follows a message of the window; true when it was one of the chain's (answered with 0).
    bool Message(UINT message, WPARAM wParam, LPARAM lParam, const std::function<void(bool contented)>& onChange);

private:
    HWND next_ = nullptr;
    bool joined_ = false;
};
