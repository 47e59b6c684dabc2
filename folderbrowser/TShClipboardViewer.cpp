#include "folderbrowser/TShClipboardViewer.h"

#include <shellapi.h>

void TShClipboardViewer::Join(HWND window) {
    if (joined_) return;
    // The first viewer of the chain is given no next one: only the error tells a failure.
    ::SetLastError(0);
    next_ = ::SetClipboardViewer(window);
    joined_ = next_ || ::GetLastError() == 0;
}

void TShClipboardViewer::Leave(HWND window) {
    if (joined_) ::ChangeClipboardChain(window, next_);
    joined_ = false;
    next_ = nullptr;
}

bool TShClipboardViewer::Message(UINT message, WPARAM wParam, LPARAM lParam,
                                 const std::function<void(bool contented)>& onChange) {
    switch (message) {
        case WM_DRAWCLIPBOARD: {
            if (next_) ::SendMessageA(next_, message, wParam, lParam);
            static const UINT shellItems = ::RegisterClipboardFormatA("Shell IDList Array");
            onChange(::IsClipboardFormatAvailable(CF_HDROP) != FALSE ||
                     ::IsClipboardFormatAvailable(shellItems) != FALSE);
            return true;
        }
        case WM_CHANGECBCHAIN:
            if (reinterpret_cast<HWND>(wParam) == next_) {
                next_ = reinterpret_cast<HWND>(lParam);
            } else if (next_) {
                ::SendMessageA(next_, message, wParam, lParam);
            }
            return true;
        default:
            return false;
    }
}
