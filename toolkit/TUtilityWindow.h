#pragma once
// A hidden message-only window of the calling thread whose messages go to a callback; the
// window lives exactly as long as this object. Errors that escape the callback are shown in
// the application's error box.
#include <windows.h>

#include <functional>

#include "toolkit/UniqueHandle.h"

class TUtilityWindow {
public:
    using Handler = std::function<LRESULT(UINT message, WPARAM wParam, LPARAM lParam)>;

    explicit TUtilityWindow(Handler handler);
    TUtilityWindow(const TUtilityWindow&) = delete;
    TUtilityWindow& operator=(const TUtilityWindow&) = delete;

    HWND Handle() const { return window_.get(); }

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    Handler handler_;
    UniqueHwnd window_;
};
