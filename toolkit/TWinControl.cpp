#include "toolkit/TWinControl.h"

#include <algorithm>
#include <cstdio>

#include "toolkit/BufferedPaint.h"
#include "toolkit/ControlTable.h"
#include "toolkit/EOSError.h"
#include "toolkit/FlagUp.h"
#include "toolkit/MessageBoxes.h"

TWinControl::TWinControl(TComponent* owner) : TComponent(owner), font_(std::make_unique<TFont>()) {
    font_->OnChange = [this](TObject&) {
        // A font the program sets is the control's own from then on.
        if (!followingParent_) parentFont_ = false;
        if (handle_.get()) ::SendMessageA(handle_.get(), WM_SETFONT, reinterpret_cast<WPARAM>(font_->Handle()), TRUE);
    };
}

TWinControl::~TWinControl() {
    for (TWinControl* child : children_) child->parent_ = nullptr;
    if (parent_) {
        auto& siblings = parent_->children_;
        siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
    }
    if (handle_.get()) {
        // Destroyed while it is still ours, so the messages of its destruction are handled
        // as any others; WM_NCDESTROY lets go of it. A window that could not be destroyed
        // (another thread's) is let go here: no message may reach this object any more.
        ::DestroyWindow(handle_.get());
        if (handle_.get()) Detach();
    }
}

void TWinControl::SetParent(TWinControl* parent) {
    if (parent == parent_) return;
    if (parent_) {
        auto& siblings = parent_->children_;
        siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
    }
    parent_ = parent;
    if (!parent_) return;
    parent_->children_.push_back(this);
    // Taken now, so that what is set on it next builds on the parent's font, window or not.
    if (parentFont_) FollowParentFont();
    if (handle_.get()) {
        ::SetParent(handle_.get(), parent_->Handle());
    } else if (parent_->HandleAllocated() && visible_) {
        CreateHandle();
    }
}

HWND TWinControl::Handle() {
    if (!handle_) CreateHandle();
    return handle_.get();
}

TWinControl* TWinControl::FromHandle(HWND window) {
    if (!window) return nullptr;
    return ControlTable::Instance().Find(window);
}

void TWinControl::CreateParams(TCreateParams& params) {
    params.style = WS_CLIPSIBLINGS;
    if (parent_) params.style |= WS_CHILD;
    if (visible_) params.style |= WS_VISIBLE;
    if (!enabled_) params.style |= WS_DISABLED;
    if (tabStop_) params.style |= WS_TABSTOP;
}

ATOM TWinControl::RegisterOwnClass(const TCreateParams& params) {
    char name[64];
    std::snprintf(name, sizeof name, "Pictavo:%X:%p", params.classStyle, static_cast<void*>(params.cursor));
    WNDCLASSEXA existing{sizeof existing};
    HINSTANCE instance = ::GetModuleHandleA(nullptr);
    if (ATOM atom = static_cast<ATOM>(::GetClassInfoExA(instance, name, &existing))) return atom;
    WNDCLASSEXA wc{sizeof wc};
    wc.style = params.classStyle;
    wc.lpfnWndProc = ThunkProc;
    wc.hInstance = instance;
    wc.hCursor = params.cursor ? params.cursor : ::LoadCursorA(nullptr, IDC_ARROW);
    wc.lpszClassName = name;
    ATOM atom = ::RegisterClassExA(&wc);
    ThrowLastErrorIf(atom == 0);
    return atom;
}

void TWinControl::CreateHandle() {
    if (handle_ || creating_) return;
    const FlagUp creating(creating_);

    TCreateParams params;
    if (parent_) params.parentWindow = parent_->Handle();
    // Making the parent's window may have made this one among its children.
    if (handle_) return;
    CreateParams(params);
    if (parentFont_ && parent_) FollowParentFont();

    const bool own = params.className.empty();
    LPCSTR className = own ? MAKEINTATOM(RegisterOwnClass(params)) : params.className.c_str();
    HMENU id = (params.style & WS_CHILD) ? reinterpret_cast<HMENU>(ControlTable::NextId()) : nullptr;
    HWND window = ::CreateWindowExA(params.exStyle, className, caption_.c_str(), params.style, left_, top_, width_,
                                    height_, params.parentWindow, id, ::GetModuleHandleA(nullptr), this);
    ThrowLastErrorIf(window == nullptr);
    if (!own) {
        Attach(window);
        originalProc_ = reinterpret_cast<WNDPROC>(
            ::SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ThunkProc)));
    }
    if (params.style & WS_CHILD) TakePlaceAmongSiblings();
    ::SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(font_->Handle()), FALSE);
    UpdateBoundsFromWindow();
    CreateWnd();
    // A hidden control's window waits until it is shown or asked for: the pages not shown
    // cost nothing until their tab is picked.
    for (TWinControl* child : std::vector<TWinControl*>(children_)) {
        if (child->visible_) child->CreateHandle();
    }
}

void TWinControl::FollowParentFont() {
    const FlagUp following(followingParent_);
    font_->Assign(parent_->Font());
}

void TWinControl::TakePlaceAmongSiblings() {
    // A window made later than the siblings after it would go below them, and Tab would
    // reach it out of order: it goes where its place among the parent's controls is.
    if (!parent_) return;
    const auto& siblings = parent_->children_;
    const auto self = std::find(siblings.begin(), siblings.end(), this);
    if (self == siblings.end()) return;
    const bool laterMade = std::any_of(self + 1, siblings.end(), [](TWinControl* c) { return c->HandleAllocated(); });
    if (!laterMade) return;
    HWND after = HWND_TOP;
    for (auto earlier = siblings.begin(); earlier != self; ++earlier) {
        if ((*earlier)->HandleAllocated()) after = (*earlier)->handle_.get();
    }
    ::SetWindowPos(handle_.get(), after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOREDRAW);
}

void TWinControl::Attach(HWND window) {
    handle_.reset(window);
    ControlTable::Instance().Add(window, this);
}

void TWinControl::Detach() {
    ControlTable::Instance().Remove(handle_.get());
    handle_.release();
    originalProc_ = nullptr;
}

LRESULT CALLBACK TWinControl::ThunkProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    TWinControl* self = FromHandle(window);
    if (!self && message == WM_NCCREATE) {
        self = static_cast<TWinControl*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        if (self) self->Attach(window);
    }
    if (!self) return ::DefWindowProcA(window, message, wParam, lParam);

    LRESULT result = 0;
    try {
        result = self->WndProc(message, wParam, lParam);
    } catch (...) {
        MessageBoxes::ApplicationError(std::current_exception());
    }
    if (message == WM_NCDESTROY && self->handle_.get() == window) self->Detach();
    return result;
}

LRESULT TWinControl::DefaultHandler(UINT message, WPARAM wParam, LPARAM lParam) {
    if (originalProc_) return ::CallWindowProcA(originalProc_, handle_.get(), message, wParam, lParam);
    return ::DefWindowProcA(handle_.get(), message, wParam, lParam);
}

LRESULT TWinControl::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            if (TWinControl* control = FromHandle(reinterpret_cast<HWND>(lParam))) {
                if (control->CommandNotification(HIWORD(wParam))) return 0;
            }
            break;
        case WM_NOTIFY: {
            auto* header = reinterpret_cast<NMHDR*>(lParam);
            if (TWinControl* control = FromHandle(header->hwndFrom)) {
                LRESULT result = 0;
                if (control->NotifyNotification(*header, result)) return result;
            }
            break;
        }
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
            if (TWinControl* control = FromHandle(reinterpret_cast<HWND>(lParam))) {
                if (HBRUSH brush = control->CtlColor(reinterpret_cast<HDC>(wParam)))
                    return reinterpret_cast<LRESULT>(brush);
            }
            break;
        case WM_PAINT:
            // A context in wParam asks for drawing into it; only the window's own paint is buffered.
            if (doubleBuffered_ && originalProc_ && !wParam && DirtyCoversMost(handle_.get())) {
                const FlagUp buffering(buffering_);
                PaintBuffered(handle_.get(), [this](HDC dc) {
                    {
                        const FlagUp erasing(paintingBuffer_);
                        WndProc(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
                    }
                    DefaultHandler(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
                });
                return 0;
            }
            break;
        case WM_ERASEBKGND:
            // Erased into the buffer instead, just before the control paints there; a paint
            // that goes straight to the screen erases there as usual.
            if (doubleBuffered_ && originalProc_ && !paintingBuffer_ && (buffering_ || DirtyCoversMost(handle_.get())))
                return 1;
            if (!originalProc_) {
                RECT client;
                ::GetClientRect(handle_.get(), &client);
                ::FillRect(reinterpret_cast<HDC>(wParam), &client, BackgroundBrush());
                return 1;
            }
            break;
        case WM_WINDOWPOSCHANGED:
            UpdateBoundsFromWindow();
            break;
        default:
            break;
    }
    return DefaultHandler(message, wParam, lParam);
}

void TWinControl::UpdateBoundsFromWindow() {
    if (!handle_) return;
    RECT r;
    ::GetWindowRect(handle_.get(), &r);
    if (HWND parent = ::GetParent(handle_.get()); parent && (::GetWindowLongA(handle_.get(), GWL_STYLE) & WS_CHILD)) {
        ::MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&r), 2);
    }
    left_ = r.left;
    top_ = r.top;
    width_ = r.right - r.left;
    height_ = r.bottom - r.top;
}

HBRUSH TWinControl::BackgroundBrush() {
    if (!brush_) brush_.reset(::CreateSolidBrush(ColorToRGB(color_)));
    return brush_.get();
}

void TWinControl::SetBounds(int left, int top, int width, int height) {
    if (left == left_ && top == top_ && width == width_ && height == height_) return;
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    if (handle_.get()) ::SetWindowPos(handle_.get(), nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    BoundsChanged();
}

int TWinControl::ClientWidth() { return ClientRect().right; }

int TWinControl::ClientHeight() { return ClientRect().bottom; }

RECT TWinControl::ClientRect() {
    if (!handle_) {
        TCreateParams params;
        CreateParams(params);
        // A window of the program's own class has no frame beyond what its style gives, so a
        // hidden page can be laid out without making its window.
        if (params.className.empty()) {
            const SIZE frame = FrameOf(params.style, params.exStyle);
            return RECT{0, 0, std::max(0, width_ - static_cast<int>(frame.cx)),
                        std::max(0, height_ - static_cast<int>(frame.cy))};
        }
    }
    RECT r{0, 0, 0, 0};
    ::GetClientRect(Handle(), &r);
    return r;
}

SIZE TWinControl::FrameOf(DWORD style, DWORD exStyle) {
    RECT r{0, 0, 0, 0};
    ::AdjustWindowRectEx(&r, style, FALSE, exStyle);
    return SIZE{r.right - r.left, r.bottom - r.top};
}

void TWinControl::SetClientSize(int width, int height) {
    // Without making the window: its children, added next, are then made with it once they
    // are set up, instead of one by one and changed afterwards. From the style it will be
    // made with, then.
    TCreateParams params;
    if (handle_) {
        params.style = static_cast<DWORD>(::GetWindowLongA(handle_.get(), GWL_STYLE));
        params.exStyle = static_cast<DWORD>(::GetWindowLongA(handle_.get(), GWL_EXSTYLE));
    } else {
        CreateParams(params);
    }
    const SIZE frame = FrameOf(params.style, params.exStyle);
    SetBounds(left_, top_, width + frame.cx, height + frame.cy);
}

void TWinControl::SetVisible(bool visible) {
    if (visible == visible_) return;
    VisibleChanging(visible);
    visible_ = visible;
    if (handle_ || visible) {
        if (visible) Handle();
        VisibleChanged();
    }
}

void TWinControl::VisibleChanged() { ::ShowWindow(handle_.get(), visible_ ? SW_SHOWNA : SW_HIDE); }

bool TWinControl::Enabled() const { return handle_ ? ::IsWindowEnabled(handle_.get()) != FALSE : enabled_; }

void TWinControl::SetEnabled(bool enabled) {
    if (enabled == Enabled()) return;
    enabled_ = enabled;
    if (handle_.get()) {
        ::EnableWindow(handle_.get(), enabled);
        Invalidate();
    }
    EnabledChanged();
}

std::string TWinControl::Caption() const {
    if (!handle_) return caption_;
    int length = ::GetWindowTextLengthA(handle_.get());
    std::string text(static_cast<size_t>(length) + 1, '\0');
    text.resize(static_cast<size_t>(::GetWindowTextA(handle_.get(), text.data(), length + 1)));
    return text;
}

void TWinControl::SetCaption(const std::string& caption) {
    if (caption == Caption()) return;
    caption_ = caption;
    if (handle_.get()) {
        ::SetWindowTextA(handle_.get(), caption.c_str());
        Invalidate();
    }
}

void TWinControl::SetColor(TColor color) {
    if (color == color_) return;
    color_ = color;
    brush_.reset();
    Invalidate();
}

void TWinControl::SetTabStop(bool value) {
    if (value == tabStop_) return;
    tabStop_ = value;
    if (handle_.get()) {
        LONG style = ::GetWindowLongA(handle_.get(), GWL_STYLE);
        ::SetWindowLongA(handle_.get(), GWL_STYLE, value ? (style | WS_TABSTOP) : (style & ~WS_TABSTOP));
    }
}

void TWinControl::SetDoubleBuffered(bool value) {
    if (value == doubleBuffered_) return;
    doubleBuffered_ = value;
    if (handle_) ::InvalidateRect(handle_.get(), nullptr, TRUE);
}

bool TWinControl::Focused() const { return handle_ && ::GetFocus() == handle_.get(); }

bool TWinControl::CanFocus() const {
    for (const TWinControl* c = this; c; c = c->parent_) {
        if (!c->visible_ || !c->Enabled()) return false;
    }
    return true;
}

void TWinControl::SetFocus() { ::SetFocus(Handle()); }

void TWinControl::Invalidate() {
    if (handle_.get()) ::InvalidateRect(handle_.get(), nullptr, TRUE);
}

void TWinControl::Update() {
    if (handle_.get()) ::UpdateWindow(handle_.get());
}

void TWinControl::Repaint() {
    // Children included: a repaint "at once" must not leave parts for later.
    if (handle_.get())
        ::RedrawWindow(handle_.get(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void TWinControl::Click() { Raise(OnClick, *this); }
