#include "toolkit/TApplication.h"

#include "toolkit/EOSError.h"
#include "toolkit/MessageBoxes.h"
#include "toolkit/TForm.h"
#include "toolkit/UserInterfaceQueue.h"

namespace {
const char kWindowClass[] = "TApplication";
}  // namespace

TApplication::TApplication() : TComponent(nullptr) {
    // Errors and notices from other threads are handled on this one.
    UserInterfaceQueue::Instance();
    HINSTANCE module = ::GetModuleHandleA(nullptr);
    icon_ = ::LoadIconA(module, "MAINICON");
    if (!icon_) icon_ = ::LoadIconA(nullptr, IDI_APPLICATION);

    WNDCLASSEXA wc{sizeof wc};
    if (!::GetClassInfoExA(module, kWindowClass, &wc)) {
        wc = WNDCLASSEXA{sizeof wc};
        wc.lpfnWndProc = ::DefWindowProcA;
        wc.hInstance = module;
        wc.hIcon = icon_;
        wc.lpszClassName = kWindowClass;
        ThrowLastErrorIf(::RegisterClassExA(&wc) == 0);
    }
    // Zero-sized and never shown: it owns the forms and stands for the program towards
    // the system (dialog owners), without a taskbar button.
    handle_.reset(::CreateWindowExA(0, kWindowClass, "", WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
                                    ::GetSystemMetrics(SM_CXSCREEN) / 2, ::GetSystemMetrics(SM_CYSCREEN) / 2, 0, 0,
                                    nullptr, nullptr, module, nullptr));
    ThrowLastErrorIf(!handle_);
    // Only a whole application is the instance: one that failed half-way is never used.
    SetCurrent(this);
}

TApplication::~TApplication() {
    // Forms go before the window that owns them.
    while (ComponentCount() > 0) delete Components(ComponentCount() - 1);
    handle_.reset();
    if (Current() == this) SetCurrent(nullptr);
}

// The application is the only host of forms.
TApplication& TApplication::Instance() { return *static_cast<TApplication*>(Current()); }

bool TApplication::Exists() { return Current() != nullptr; }

void TApplication::SetTitle(const std::string& title) {
    if (title == title_) return;
    title_ = title;
    ::SetWindowTextA(handle_.get(), title.c_str());
}

void TApplication::Terminate() {
    terminated_ = true;
    ::PostQuitMessage(0);
}

bool TApplication::PreTranslate(MSG& message) {
    if (OnPreTranslate && OnPreTranslate(message)) return true;
    if (message.message != WM_KEYDOWN || !message.hwnd) return false;
    auto* form = dynamic_cast<TForm*>(TWinControl::FromHandle(::GetAncestor(message.hwnd, GA_ROOT)));
    if (!form) return false;
    // Handled outside any window procedure: an error is shown here, as the window
    // procedure shows one, and the key is spent.
    try {
        return form->DialogKey(message);
    } catch (...) {
        MessageBoxes::ApplicationError(std::current_exception());
        return true;
    }
}

void TApplication::Run() {
    if (mainForm_) mainForm_->Show();
    MSG message;
    while (!terminated_ && ::GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (PreTranslate(message)) continue;
        ::TranslateMessage(&message);
        ::DispatchMessageA(&message);
    }
    terminated_ = true;
}
