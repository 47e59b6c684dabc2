#pragma once
// A control of the program's own window class that paints itself: the base of panels,
// labels, images and the owner-painted widgets. It turns the window's mouse, keyboard and
// focus messages into overridable steps and events, tracks the pointer entering and
// leaving, and produces a click when the left button is released over the control.
#include <windows.h>

#include <functional>
#include <string>

#include "toolkit/MouseEvents.h"
#include "toolkit/TCursor.h"
#include "toolkit/TShiftState.h"
#include "toolkit/TWinControl.h"

using TKeyEvent = std::function<void(TObject& sender, WORD& key, TShiftState shift)>;

class TCustomControl : public TWinControl {
public:
    explicit TCustomControl(TComponent* owner);

    void SetCursor(TCursor cursor) { cursor_ = cursor; }

    // Paints the control into any device context exactly as its WM_PAINT does: the seam
    // through which a painting can be looked at pixel by pixel.
    void PaintTo(HDC dc) { Paint(dc); }

    // Whether the pointer is over the control, as the enter and leave steps last saw it.
    bool MouseInClient() const { return mouseInside_; }
    bool MouseCapture();

    // True when `ch` is the character after a single "&" in `caption` (letters compared
    // without case); "&&" stands for the "&" itself.
    static bool IsAccel(char ch, const std::string& caption);

    TNotifyEvent OnDblClick;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;
    TMouseMoveEvent OnMouseMove;
    TMouseMoveEvent OnMouseEnter;
    TMouseMoveEvent OnMouseLeave;
    TKeyEvent OnKeyDown;
    TKeyEvent OnKeyUp;
    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;
    TNotifyEvent OnResize;

protected:
    void CreateParams(TCreateParams& params) override;
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // Paints the whole client area; the background is not erased beforehand.
    virtual void Paint(HDC dc);

    // Each raises its event; overrides do their own work and call these for the rest.
    // The left button's MouseUp produces the click when the button went down on this
    // control and is released over it.
    virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseMove(TShiftState shift, int x, int y);
    // Raise OnMouseEnter/OnMouseLeave with the keyboard's shift state and the pointer's
    // position in client coordinates.
    virtual void MouseEnter();
    virtual void MouseLeave();
    virtual void KeyDown(WORD& key, TShiftState shift);
    virtual void KeyUp(WORD& key, TShiftState shift);
    // A character typed while the focus is on a control that does not take characters,
    // or with Alt held, is offered to every control of the same top-level window until one
    // handles it (accelerators).
    virtual bool DialogChar(char /*ch*/) { return false; }
    virtual void DoEnter();
    virtual void DoExit();

    bool PointInClient(int x, int y);

private:
    void SetMouseInside(bool inside);
    bool PointerReallyInside();
    bool BroadcastDialogChar(char ch);
    static BOOL CALLBACK OfferDialogChar(HWND window, LPARAM data);
    void ButtonDown(TMouseButton button, WPARAM wParam, LPARAM lParam, bool twice);
    void ButtonUp(TMouseButton button, WPARAM wParam, LPARAM lParam);

    TCursor cursor_ = crDefault;
    bool mouseInside_ = false;
    bool clicked_ = false;
    bool releasingCapture_ = false;
};
