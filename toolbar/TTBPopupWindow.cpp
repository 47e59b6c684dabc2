#include "toolbar/TTBPopupWindow.h"

#include <windowsx.h>

#include <cctype>

#include "menuanim/SlideDirections.h"
#include "menuanim/TMenuAnimation.h"
#include "toolbar/PlacePopup.h"
#include "toolbar/TTBItem.h"
#include "toolbar/TTBMenuPainter.h"
#include "toolkit/PaintDC.h"
#include "toolkit/TCustomControl.h"
#include "toolkit/WindowDC.h"

TTBPopupWindow::TTBPopupWindow(HWND owner, const std::vector<TMenuItem*>& items, const Look& look)
    : TWinControl(nullptr), owner_(owner), items_(items), look_(look) {
    SetVisible(false);
    // The rows follow what the program changes while the menu is open (a recording that
    // starts greys its commands); whatever listened before is still told.
    for (TMenuItem* item : items_) {
        previousOnChange_.push_back(item->OnChange);
        item->OnChange = [this, previous = item->OnChange](TObject& sender) {
            if (selected_ >= 0 && !Selectable(selected_)) selected_ = -1;
            Invalidate();
            Raise(previous, sender);
        };
    }
}

TTBPopupWindow::~TTBPopupWindow() {
    // The window itself goes in the base's destructor, where this class's handlers no longer
    // run: its animation is completed here.
    if (HandleAllocated()) TMenuAnimation::Stop(Handle());
    for (size_t i = 0; i < items_.size(); ++i) items_[i]->OnChange = previousOnChange_[i];
}

void TTBPopupWindow::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.style = WS_POPUP;
    params.exStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
    params.classStyle = 0;
    params.parentWindow = owner_;
}

void TTBPopupWindow::PlaceAt(POINT at) {
    {
        WindowDC screen(nullptr);
        layout_.Measure(screen.get(), items_, look_.font, look_.boldFont);
    }
    const RECT r = PlacePopup(at, layout_.Size(), MonitorAreaAt(at));
    directions_ = ::SlideDirections(r, RECT{at.x, at.y, at.x, at.y}, false);
    ::SetWindowPos(Handle(), HWND_TOPMOST, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOACTIVATE);
}

void TTBPopupWindow::ShowPopup(bool show) { TMenuAnimation::ShowPopup(Handle(), show, true, directions_); }

RECT TTBPopupWindow::ItemScreenRect(size_t index) {
    RECT r = layout_.ItemRect(index);
    ::MapWindowPoints(Handle(), HWND_DESKTOP, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

bool TTBPopupWindow::Selectable(int index) const {
    if (index < 0 || index >= static_cast<int>(items_.size())) return false;
    const TMenuItem& item = *items_[static_cast<size_t>(index)];
    auto* tbItem = dynamic_cast<const TTBItem*>(&item);
    return !item.IsSeparator() && item.Enabled() && !(tbItem && tbItem->ToolbarStyle());
}

void TTBPopupWindow::Select(int index) {
    if (index == selected_) return;
    InvalidateRow(selected_);
    selected_ = index;
    InvalidateRow(selected_);
}

void TTBPopupWindow::InvalidateRow(int index) {
    if (index < 0 || index >= static_cast<int>(layout_.Count()) || !HandleAllocated()) return;
    const RECT& r = layout_.ItemRect(static_cast<size_t>(index));
    ::InvalidateRect(Handle(), &r, FALSE);
}

void TTBPopupWindow::Close(int chosen) {
    if (closed_) return;
    closed_ = true;
    Raise(OnClose, chosen);
}

void TTBPopupWindow::Step(int direction, int from) {
    const int count = static_cast<int>(items_.size());
    for (int n = 1; n <= count; ++n) {
        const int index = ((from + direction * n) % count + count) % count;
        if (Selectable(index)) {
            Select(index);
            return;
        }
    }
}

void TTBPopupWindow::KeyDown(WORD key) {
    const int count = static_cast<int>(items_.size());
    switch (key) {
        case VK_DOWN:
            Step(+1, selected_ >= 0 ? selected_ : -1);
            break;
        case VK_UP:
            Step(-1, selected_ >= 0 ? selected_ : count);
            break;
        case VK_HOME:
            Step(+1, -1);
            break;
        case VK_END:
            Step(-1, count);
            break;
        case VK_RETURN:
            if (Selectable(selected_)) Close(selected_);
            break;
        case VK_ESCAPE:
        case VK_MENU:
        case VK_F10:
            Close(-1);
            break;
        default:
            break;
    }
}

void TTBPopupWindow::CharTyped(char ch) {
    if (static_cast<unsigned char>(ch) < ' ') return;
    ChooseByLetter(ch);
}

void TTBPopupWindow::ChooseByLetter(char ch) {
    // Items that underline the letter; when none does, items whose caption starts with it.
    std::vector<int> matches;
    for (int i = 0; i < static_cast<int>(items_.size()); ++i) {
        if (Selectable(i) && TCustomControl::IsAccel(ch, items_[static_cast<size_t>(i)]->Caption())) {
            matches.push_back(i);
        }
    }
    if (matches.empty()) {
        auto upper = [](char c) { return std::toupper(static_cast<unsigned char>(c)); };
        for (int i = 0; i < static_cast<int>(items_.size()); ++i) {
            const std::string& caption = items_[static_cast<size_t>(i)]->Caption();
            if (Selectable(i) && !caption.empty() && upper(caption[0]) == upper(ch)) matches.push_back(i);
        }
    }
    if (matches.empty()) return;
    if (matches.size() == 1) {
        Close(matches.front());
        return;
    }
    // Several share the letter: each press moves to the next of them.
    for (int index : matches) {
        if (index > selected_) {
            Select(index);
            return;
        }
    }
    Select(matches.front());
}

void TTBPopupWindow::PointerMoved(POINT client) {
    const int index = layout_.ItemAt(client);
    Select(Selectable(index) ? index : -1);
}

void TTBPopupWindow::ButtonDown(POINT client) {
    RECT r;
    ::GetClientRect(Handle(), &r);
    if (!::PtInRect(&r, client)) {
        Close(-1);
        return;
    }
    PointerMoved(client);
}

void TTBPopupWindow::ButtonUp(POINT client) {
    const int index = layout_.ItemAt(client);
    if (Selectable(index)) Close(index);
}

void TTBPopupWindow::Paint(HDC dc) {
    RECT client;
    ::GetClientRect(Handle(), &client);
    TTBMenuPainter(look_.skin, look_.font, look_.boldFont, look_.images).Paint(dc, client, layout_, items_, selected_);
}

LRESULT TTBPopupWindow::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (TMenuAnimation::WindowMessage(Handle(), message, wParam, lParam)) return 0;
    const POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    switch (message) {
        case TMenuAnimation::kShadowsMessage:
            // The program's skins draw no drop shadows.
            return 0;
        case WM_PAINT: {
            PaintDC dc(Handle());
            Paint(dc.get());
            return 0;
        }
        case WM_PRINTCLIENT:
            Paint(reinterpret_cast<HDC>(wParam));
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_MOUSEACTIVATE:
            return MA_NOACTIVATE;
        case WM_ACTIVATEAPP:
            // Another program came to the front.
            if (!wParam) Close(-1);
            break;
        case WM_CANCELMODE:
            Close(-1);
            break;
        case WM_CAPTURECHANGED:
            if (reinterpret_cast<HWND>(lParam) != Handle()) Close(-1);
            break;
        case WM_MOUSEMOVE:
            PointerMoved(point);
            return 0;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
            ButtonDown(point);
            return 0;
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
            ButtonUp(point);
            return 0;
        default:
            break;
    }
    return TWinControl::WndProc(message, wParam, lParam);
}
