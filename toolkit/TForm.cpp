#include "toolkit/TForm.h"

#include "toolkit/DialogNavigation.h"
#include "toolkit/TFormHost.h"

TForm::TForm(TComponent* owner) : TWinControl(owner) {
    SetVisible(false);
    Font().SetName("ＭＳ Ｐゴシック");
    Font().SetHeight(12);
}

void TForm::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.style &= ~(WS_CHILD | WS_VISIBLE);
    params.style |= WS_CLIPCHILDREN;
    switch (borderStyle_) {
        case TFormBorderStyle::bsNone:
            params.style |= WS_POPUP;
            break;
        case TFormBorderStyle::bsSingle:
            params.style |= WS_CAPTION | WS_BORDER;
            break;
        case TFormBorderStyle::bsDialog:
            params.style |= WS_POPUP | WS_CAPTION | DS_MODALFRAME;
            params.exStyle |= WS_EX_DLGMODALFRAME;
            break;
    }
    if (systemMenu_ && borderStyle_ != TFormBorderStyle::bsNone) params.style |= WS_SYSMENU;
    params.parentWindow = TFormHost::Current()->Handle();
}

void TForm::SetWindowState(TWindowState state) {
    if (state == windowState_) return;
    windowState_ = state;
    // A hidden form only records the state; it takes effect when the form is shown.
    if (HandleAllocated() && Visible()) {
        static const int commands[] = {SW_RESTORE, SW_MINIMIZE, SW_MAXIMIZE};
        ::ShowWindow(Handle(), commands[static_cast<int>(state)]);
    }
}

void TForm::VisibleChanging(bool visible) {
    if (visible) {
        Handle();
        if (center_) Center();
        Raise(OnShow, *this);
    } else {
        // Before the system takes the focus away with the window.
        RememberFocus();
    }
}

void TForm::VisibleChanged() {
    if (Visible()) {
        ::ShowWindow(Handle(), ShowCommand());
    } else {
        ::ShowWindow(Handle(), SW_HIDE);
        Raise(OnHide, *this);
    }
}

int TForm::ShowCommand() const {
    static const int commands[] = {SW_SHOWNORMAL, SW_SHOWMINIMIZED, SW_SHOWMAXIMIZED};
    return commands[static_cast<int>(windowState_)];
}

void TForm::Center() {
    int x = (::GetSystemMetrics(SM_CXSCREEN) - Width()) / 2;
    int y = (::GetSystemMetrics(SM_CYSCREEN) - Height()) / 2;
    SetBounds(x, y, Width(), Height());
}

void TForm::BringToFront() {
    if (HandleAllocated()) ::SetWindowPos(Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

void TForm::Close() {
    bool canClose = true;
    Raise(OnCloseQuery, *this, canClose);
    if (!canClose) return;
    TCloseAction action = TCloseAction::caHide;
    Raise(OnClose, *this, action);
    if (action == TCloseAction::caNone) return;
    if (TFormHost::Current()->MainForm() == this) {
        TFormHost::Current()->Terminate();
    } else {
        Hide();
    }
}

void TForm::SetFocus() {
    Handle();
    if (!RestoreFocus()) TWinControl::SetFocus();
}

bool TForm::DialogKey(const MSG& message) { return DialogNavigation::HandleKey(Handle(), message); }

void TForm::RememberFocus() {
    if (!HandleAllocated()) return;
    HWND focus = ::GetFocus();
    if (focus && ::IsChild(Handle(), focus)) lastFocus_ = focus;
}

bool TForm::RestoreFocus() {
    HWND target = lastFocus_;
    if (!DialogNavigation::CanFocus(Handle(), target)) target = DialogNavigation::NextTabStop(Handle(), nullptr, false);
    if (!target) return false;
    ::SetFocus(target);
    return true;
}

LRESULT TForm::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CLOSE:
            Close();
            return 0;
        case WM_ACTIVATE:
            if (LOWORD(wParam) == WA_INACTIVE) {
                RememberFocus();
            } else if (!HIWORD(wParam) && RestoreFocus()) {
                // The default handling would give the focus to the form itself.
                return 0;
            }
            break;
        case WM_CANCELMODE:
            // Sent first when the form is disabled (a dialog of its own comes up), while
            // the focus is still where the user left it.
            RememberFocus();
            break;
        default:
            break;
    }
    return TWinControl::WndProc(message, wParam, lParam);
}
