#include "toolkit/TCustomControl.h"

#include <windowsx.h>

#include <cctype>

#include "toolkit/CallbackErrors.h"
#include "toolkit/CharWalk.h"
#include "toolkit/Frame3D.h"
#include "toolkit/PaintDC.h"

TCustomControl::TCustomControl(TComponent* owner) : TWinControl(owner) {}

void TCustomControl::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    // Children are windows of their own; painting the control must not cover them.
    params.style |= WS_CLIPCHILDREN;
}

void TCustomControl::Paint(HDC dc) {
    RECT client;
    ::GetClientRect(Handle(), &client);
    FillSolid(dc, client, Color());
}

bool TCustomControl::MouseCapture() { return HandleAllocated() && ::GetCapture() == Handle(); }

bool TCustomControl::PointInClient(int x, int y) {
    RECT client;
    ::GetClientRect(Handle(), &client);
    return x >= client.left && x < client.right && y >= client.top && y < client.bottom;
}

bool TCustomControl::IsAccel(char ch, const std::string& caption) {
    for (CharWalk walk(caption); !walk.AtEnd(); walk.Next()) {
        if (walk.CharSize() != 1 || caption[walk.Position()] != '&') continue;
        walk.Next();
        if (walk.AtEnd()) return false;
        if (walk.CharSize() != 1) return false;
        char accel = caption[walk.Position()];
        if (accel == '&') continue;
        auto upper = [](char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); };
        return upper(accel) == upper(ch);
    }
    return false;
}

void TCustomControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    Raise(OnMouseDown, *this, button, shift, x, y);
}

void TCustomControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (button == TMouseButton::mbLeft && clicked_) {
        clicked_ = false;
        if (PointInClient(x, y)) Click();
    }
    Raise(OnMouseUp, *this, button, shift, x, y);
}

void TCustomControl::MouseMove(TShiftState shift, int x, int y) { Raise(OnMouseMove, *this, shift, x, y); }

void TCustomControl::MouseEnter() {
    POINT pointer{};
    ::GetCursorPos(&pointer);
    ::ScreenToClient(Handle(), &pointer);
    Raise(OnMouseEnter, *this, KeyboardShiftState(), static_cast<int>(pointer.x), static_cast<int>(pointer.y));
}

void TCustomControl::MouseLeave() {
    POINT pointer{};
    ::GetCursorPos(&pointer);
    ::ScreenToClient(Handle(), &pointer);
    Raise(OnMouseLeave, *this, KeyboardShiftState(), static_cast<int>(pointer.x), static_cast<int>(pointer.y));
}

void TCustomControl::KeyDown(WORD& key, TShiftState shift) { Raise(OnKeyDown, *this, key, shift); }

void TCustomControl::KeyUp(WORD& key, TShiftState shift) { Raise(OnKeyUp, *this, key, shift); }

void TCustomControl::DoEnter() { Raise(OnEnter, *this); }

void TCustomControl::DoExit() { Raise(OnExit, *this); }

void TCustomControl::SetMouseInside(bool inside) {
    if (inside == mouseInside_) return;
    mouseInside_ = inside;
    if (inside) {
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, Handle(), 0};
        ::TrackMouseEvent(&track);
        MouseEnter();
    } else {
        MouseLeave();
    }
}

bool TCustomControl::PointerReallyInside() {
    POINT pointer{};
    if (!::GetCursorPos(&pointer) || ::WindowFromPoint(pointer) != Handle()) return false;
    ::ScreenToClient(Handle(), &pointer);
    return PointInClient(pointer.x, pointer.y);
}

namespace {
struct DialogCharSearch {
    char ch;
    bool handled;
    // A click reached through an accelerator may fail; the error comes out after the
    // enumeration, which stops at it.
    HeldError error;
};
}  // namespace

BOOL CALLBACK TCustomControl::OfferDialogChar(HWND window, LPARAM data) {
    auto& search = *reinterpret_cast<DialogCharSearch*>(data);
    return search.error.Run(FALSE, [&] {
        auto* control = dynamic_cast<TCustomControl*>(FromHandle(window));
        if (control && control->DialogChar(search.ch)) {
            search.handled = true;
            return FALSE;
        }
        return TRUE;
    });
}

bool TCustomControl::BroadcastDialogChar(char ch) {
    DialogCharSearch search{ch, false, {}};
    ::EnumChildWindows(::GetAncestor(Handle(), GA_ROOT), &OfferDialogChar, reinterpret_cast<LPARAM>(&search));
    search.error.Rethrow();
    return search.handled;
}

void TCustomControl::ButtonDown(TMouseButton button, WPARAM wParam, LPARAM lParam, bool twice) {
    TShiftState shift = MouseShiftState(wParam);
    if (twice) shift |= ssDouble;
    if (button == TMouseButton::mbLeft) {
        ::SetCapture(Handle());
        clicked_ = true;
        if (twice) Raise(OnDblClick, *this);
    }
    MouseDown(button, shift, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
}

void TCustomControl::ButtonUp(TMouseButton button, WPARAM wParam, LPARAM lParam) {
    if (button == TMouseButton::mbLeft && MouseCapture()) {
        releasingCapture_ = true;
        ::ReleaseCapture();
        releasingCapture_ = false;
    }
    MouseUp(button, MouseShiftState(wParam), GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
}

LRESULT TCustomControl::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT: {
            PaintDC dc(Handle());
            if (dc) Paint(dc.get());
            return 0;
        }
        case WM_ERASEBKGND:
            return 1;
        case WM_MOUSEMOVE: {
            int x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam);
            // While the control holds the capture, moves arrive from outside it too.
            SetMouseInside(PointInClient(x, y));
            MouseMove(MouseShiftState(wParam), x, y);
            return 0;
        }
        case WM_MOUSELEAVE:
            // The system may report a leave while the pointer is still over the control
            // (capture changes); trust the pointer's real position.
            if (mouseInside_) {
                if (PointerReallyInside()) {
                    TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, Handle(), 0};
                    ::TrackMouseEvent(&track);
                } else {
                    SetMouseInside(false);
                }
            }
            return 0;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            ButtonDown(TMouseButton::mbLeft, wParam, lParam, message == WM_LBUTTONDBLCLK);
            return 0;
        case WM_RBUTTONDOWN:
        case WM_RBUTTONDBLCLK:
            ButtonDown(TMouseButton::mbRight, wParam, lParam, message == WM_RBUTTONDBLCLK);
            return 0;
        case WM_MBUTTONDOWN:
        case WM_MBUTTONDBLCLK:
            ButtonDown(TMouseButton::mbMiddle, wParam, lParam, message == WM_MBUTTONDBLCLK);
            return 0;
        case WM_LBUTTONUP:
            ButtonUp(TMouseButton::mbLeft, wParam, lParam);
            return 0;
        case WM_RBUTTONUP:
            ButtonUp(TMouseButton::mbRight, wParam, lParam);
            break;  // the default handling turns it into WM_CONTEXTMENU
        case WM_MBUTTONUP:
            ButtonUp(TMouseButton::mbMiddle, wParam, lParam);
            return 0;
        case WM_CAPTURECHANGED:
            // Capture taken away (a box popped up, another window grabbed the mouse): the
            // press can no longer end in a click.
            if (!releasingCapture_) clicked_ = false;
            break;
        case WM_KEYDOWN: {
            WORD key = static_cast<WORD>(wParam);
            KeyDown(key, KeyboardShiftState());
            return 0;
        }
        case WM_KEYUP: {
            WORD key = static_cast<WORD>(wParam);
            KeyUp(key, KeyboardShiftState());
            return 0;
        }
        case WM_CHAR:
            BroadcastDialogChar(static_cast<char>(wParam));
            return 0;
        case WM_SYSCHAR:
            if (BroadcastDialogChar(static_cast<char>(wParam))) return 0;
            break;
        case WM_SETFOCUS:
            DoEnter();
            break;
        case WM_KILLFOCUS:
            DoExit();
            break;
        case WM_SIZE:
            Invalidate();
            Raise(OnResize, *this);
            break;
        case WM_SETTEXT:
        case WM_SETFONT:
        case WM_ENABLE: {
            LRESULT result = TWinControl::WndProc(message, wParam, lParam);
            Invalidate();
            return result;
        }
        case WM_SETCURSOR:
            if (cursor_ != crDefault && LOWORD(lParam) == HTCLIENT && reinterpret_cast<HWND>(wParam) == Handle()) {
                ::SetCursor(CursorHandle(cursor_));
                return TRUE;
            }
            break;
        default:
            break;
    }
    return TWinControl::WndProc(message, wParam, lParam);
}
