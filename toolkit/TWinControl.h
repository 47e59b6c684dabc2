#pragma once
// A control with a window of its own: a form, a system control (button, edit, ...) or a
// window class of the program's. Properties set before the window exists are kept and
// applied when it is made; afterwards the window itself is the store, so reading a
// property of a live control reads the window.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "toolkit/TColor.h"
#include "toolkit/TComponent.h"
#include "toolkit/TFont.h"
#include "toolkit/UniqueHandle.h"

struct TCreateParams {
    std::string className;  // empty: the program's own window class
    DWORD style = 0;
    DWORD exStyle = 0;
    UINT classStyle = CS_DBLCLKS;
    HCURSOR cursor = nullptr;  // own class only; null = arrow
    HWND parentWindow = nullptr;
};

class TWinControl : public TComponent {
public:
    explicit TWinControl(TComponent* owner);
    ~TWinControl() override;

    // The control whose window is the parent of this one. Setting it makes the window
    // at once when the parent already has one.
    TWinControl* Parent() const { return parent_; }
    void SetParent(TWinControl* parent);

    // The window, made on first use (with its parent's first).
    HWND Handle();
    bool HandleAllocated() const { return static_cast<bool>(handle_); }
    static TWinControl* FromHandle(HWND window);

    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    void SetBounds(int left, int top, int width, int height);
    void SetLeft(int left) { SetBounds(left, top_, width_, height_); }
    void SetTop(int top) { SetBounds(left_, top, width_, height_); }
    void SetWidth(int width) { SetBounds(left_, top_, width, height_); }
    void SetHeight(int height) { SetBounds(left_, top_, width_, height); }
    int ClientWidth();
    int ClientHeight();
    virtual void SetClientSize(int width, int height);

    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }

    bool Enabled() const;
    void SetEnabled(bool enabled);

    std::string Caption() const;
    void SetCaption(const std::string& caption);

    TFont& Font() { return *font_; }
    void SetParentFont(bool value) { parentFont_ = value; }
    TColor Color() const { return color_; }
    void SetColor(TColor color);

    void SetTabStop(bool value);

    // A system control paints through a bitmap in memory (see BufferedPaint) whenever most
    // of it is dirty.
    void SetDoubleBuffered(bool value);

    bool Focused() const;
    virtual void SetFocus();
    bool CanFocus() const;

    void Invalidate();
    void Update();
    void Repaint();

    TNotifyEvent OnClick;

protected:
    virtual void CreateParams(TCreateParams& params);
    // Runs once the window exists, before the child controls get theirs.
    virtual void CreateWnd() {}
    virtual void VisibleChanging(bool /*visible*/) {}
    virtual void VisibleChanged();
    virtual void EnabledChanged() {}
    virtual void BoundsChanged() {}

    // Every message of the window arrives here; what is not handled goes to DefaultHandler.
    virtual LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT DefaultHandler(UINT message, WPARAM wParam, LPARAM lParam);

    // Notifications that a system control sends to its parent come back to the control.
    virtual bool CommandNotification(WORD /*code*/) { return false; }
    virtual bool NotifyNotification(NMHDR& /*header*/, LRESULT& /*result*/) { return false; }
    // The brush a system control is painted with, or null for the system's default.
    virtual HBRUSH CtlColor(HDC /*dc*/) { return nullptr; }

    virtual void Click();

    // Window placement as the window reports it (forms move themselves).
    void UpdateBoundsFromWindow();
    HBRUSH BackgroundBrush();

private:
    static LRESULT CALLBACK ThunkProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static ATOM RegisterOwnClass(const TCreateParams& params);
    void CreateHandle();
    void TakePlaceAmongSiblings();
    void FollowParentFont();
    RECT ClientRect();
    // How much larger than its client area a window of this style is.
    static SIZE FrameOf(DWORD style, DWORD exStyle);
    void Attach(HWND window);
    void Detach();

    TWinControl* parent_ = nullptr;
    std::vector<TWinControl*> children_;
    // Made by CreateHandle, let go at WM_NCDESTROY.
    UniqueHwnd handle_;
    WNDPROC originalProc_ = nullptr;
    int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    bool visible_ = true;
    bool enabled_ = true;
    bool tabStop_ = false;
    bool parentFont_ = true;
    bool followingParent_ = false;
    std::string caption_;
    std::unique_ptr<TFont> font_;
    TColor color_ = clBtnFace;
    UniqueHbrush brush_;
    bool creating_ = false;
    bool doubleBuffered_ = false;
    bool paintingBuffer_ = false;
    bool buffering_ = false;
};
