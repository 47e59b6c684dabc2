#include "toolkit/TUtilityWindow.h"

#include "toolkit/EOSError.h"
#include "toolkit/MessageBoxes.h"

namespace {
const char kClassName[] = "PictavoUtilityWindow";
}

TUtilityWindow::TUtilityWindow(Handler handler) : handler_(std::move(handler)) {
    HINSTANCE module = ::GetModuleHandleA(nullptr);
    WNDCLASSEXA wc{sizeof wc};
    if (!::GetClassInfoExA(module, kClassName, &wc)) {
        wc = WNDCLASSEXA{sizeof wc};
        wc.lpfnWndProc = WindowProc;
        wc.hInstance = module;
        wc.lpszClassName = kClassName;
        ThrowLastErrorIf(::RegisterClassExA(&wc) == 0);
    }
    // A pop-up's style: an overlapped window, even one never shown, has its frame and its
    // largest size worked out while it is made, at a cost of a millisecond under Wine.
    window_.reset(::CreateWindowExA(0, kClassName, "", WS_POPUP, 0, 0, 0, 0, HWND_MESSAGE, nullptr, module, this));
    ThrowLastErrorIf(!window_);
}

LRESULT CALLBACK TUtilityWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<TUtilityWindow*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        ::SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<TUtilityWindow*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
    if (message == WM_NCDESTROY) ::SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    // Messages of the creation itself, and of the destruction, are the system's business.
    if (!self || !self->handler_ || self->window_.get() != window || message == WM_NCDESTROY)
        return ::DefWindowProcA(window, message, wParam, lParam);
    try {
        return self->handler_(message, wParam, lParam);
    } catch (...) {
        MessageBoxes::ApplicationError(std::current_exception());
    }
    return 0;
}
