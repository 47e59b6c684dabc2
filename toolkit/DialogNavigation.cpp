#include "toolkit/DialogNavigation.h"

#include <cstddef>

#include "toolkit/TPageControl.h"
#include "toolkit/TTabSheet.h"

namespace {
bool KeyHeld(int key) { return ::GetKeyState(key) < 0; }

bool ShownAndEnabled(HWND window) {
    const LONG style = ::GetWindowLongA(window, GWL_STYLE);
    return (style & WS_VISIBLE) && !(style & WS_DISABLED);
}
}  // namespace

bool DialogNavigation::HandleKey(HWND root, const MSG& message) {
    if (message.message != WM_KEYDOWN || !root) return false;
    const WPARAM key = message.wParam;
    const bool tab = key == VK_TAB;
    const bool arrow = key == VK_LEFT || key == VK_UP || key == VK_RIGHT || key == VK_DOWN;
    if (!tab && !arrow) return false;
    // The control may want the key for itself: an edit in place wants every key, a tree or
    // a hotkey control the arrows.
    const LRESULT wants =
        ::SendMessageA(message.hwnd, WM_GETDLGCODE, key, reinterpret_cast<LPARAM>(const_cast<MSG*>(&message)));
    if (wants & DLGC_WANTMESSAGE) return false;
    const bool shift = KeyHeld(VK_SHIFT);
    bool moved = false;
    if (tab) {
        if (wants & DLGC_WANTTAB) return false;
        if (KeyHeld(VK_CONTROL)) {
            moved = TurnPage(root, message.hwnd, shift);
        } else if (HWND next = NextTabStop(root, message.hwnd, shift)) {
            FocusControl(next);
            moved = true;
        }
    } else if (!(wants & DLGC_WANTARROWS) && (wants & DLGC_RADIOBUTTON)) {
        moved = MoveInRadioGroup(message.hwnd, key == VK_LEFT || key == VK_UP);
    }
    if (moved) ShowFocusCues(root);
    return moved;
}

void DialogNavigation::ShowFocusCues(HWND root) {
    // Windows hides the controls' focus rectangles in a window the mouse brought up until
    // the keyboard is used in it, and the system's dialog boxes then show them: a keyboard
    // user must see where the focus went.
    ::SendMessageA(root, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
}

void DialogNavigation::Walk(HWND parent, bool enterable, std::vector<Place>& order) {
    for (HWND child = ::GetWindow(parent, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        const bool usable = enterable && ShownAndEnabled(child);
        const bool tabStop = usable && (::GetWindowLongA(child, GWL_STYLE) & WS_TABSTOP);
        order.push_back({child, tabStop, usable});
        Walk(child, usable && (::GetWindowLongA(child, GWL_EXSTYLE) & WS_EX_CONTROLPARENT), order);
    }
}

std::vector<DialogNavigation::Place> DialogNavigation::Order(HWND container) {
    std::vector<Place> order;
    Walk(container, true, order);
    return order;
}

std::vector<HWND> DialogNavigation::TabStops(HWND container) {
    std::vector<HWND> stops;
    for (const Place& place : Order(container)) {
        if (place.tabStop) stops.push_back(place.window);
    }
    return stops;
}

HWND DialogNavigation::NextTabStop(HWND root, HWND from, bool previous) {
    const std::vector<Place> order = Order(root);
    const auto count = static_cast<std::ptrdiff_t>(order.size());
    // Where `from` stands in the round: its own place, or that of the nearest window above
    // it that has one (a control's own child windows, such as an edit in place).
    std::ptrdiff_t at = -1;
    if (from && ::IsChild(root, from)) {
        for (HWND window = from; window && window != root && at < 0; window = ::GetParent(window)) {
            for (std::ptrdiff_t i = 0; i < count; ++i) {
                if (order[static_cast<std::size_t>(i)].window == window) at = i;
            }
        }
    }
    auto stop = [&](std::ptrdiff_t i) { return order[static_cast<std::size_t>(i)].tabStop; };
    if (!previous) {
        for (std::ptrdiff_t i = at + 1; i < count; ++i) {
            if (stop(i)) return order[static_cast<std::size_t>(i)].window;
        }
        for (std::ptrdiff_t i = 0; i <= at; ++i) {
            if (stop(i)) return order[static_cast<std::size_t>(i)].window;
        }
        return nullptr;
    }
    const std::ptrdiff_t start = at < 0 ? count : at;
    for (std::ptrdiff_t i = start - 1; i >= 0; --i) {
        if (stop(i)) return order[static_cast<std::size_t>(i)].window;
    }
    for (std::ptrdiff_t i = count - 1; i >= start; --i) {
        if (stop(i)) return order[static_cast<std::size_t>(i)].window;
    }
    return nullptr;
}

bool DialogNavigation::CanFocus(HWND root, HWND window) {
    if (!window || !::IsChild(root, window)) return false;
    for (HWND w = window; w && w != root; w = ::GetParent(w)) {
        if (!ShownAndEnabled(w)) return false;
    }
    return true;
}

void DialogNavigation::FocusControl(HWND control) {
    ::SetFocus(control);
    if (::SendMessageA(control, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) ::SendMessageA(control, EM_SETSEL, 0, -1);
}

bool DialogNavigation::TurnPage(HWND root, HWND from, bool previous) {
    TPageControl* pages = nullptr;
    for (HWND window = from; window && window != root && !pages; window = ::GetParent(window)) {
        pages = dynamic_cast<TPageControl*>(TWinControl::FromHandle(window));
    }
    if (!pages) {
        for (const Place& place : Order(root)) {
            if (!place.usable) continue;
            pages = dynamic_cast<TPageControl*>(TWinControl::FromHandle(place.window));
            if (pages) break;
        }
    }
    if (!pages || !CanFocus(root, pages->Handle())) return false;
    TTabSheet* left = pages->ActivePage();
    // The focus leaves with the page it was on, for the new page's first control; on the
    // tabs themselves it stays.
    const bool onPage = left && left->HandleAllocated() && (::IsChild(left->Handle(), from) || from == left->Handle());
    pages->SelectNextPage(!previous);
    if (onPage || !CanFocus(root, ::GetFocus())) {
        TTabSheet* shown = pages->ActivePage();
        const std::vector<HWND> stops = shown ? TabStops(shown->Handle()) : std::vector<HWND>();
        FocusControl(stops.empty() ? pages->Handle() : stops.front());
    }
    return true;
}

bool DialogNavigation::MoveInRadioGroup(HWND button, bool previous) {
    HWND parent = ::GetParent(button);
    std::vector<HWND> group;
    for (HWND sibling = ::GetWindow(parent, GW_CHILD); sibling; sibling = ::GetWindow(sibling, GW_HWNDNEXT)) {
        if (sibling != button && !ShownAndEnabled(sibling)) continue;
        if (::SendMessageA(sibling, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON) group.push_back(sibling);
    }
    std::size_t at = 0;
    while (at < group.size() && group[at] != button) ++at;
    if (at == group.size()) return false;
    HWND next = group[(at + (previous ? group.size() - 1 : 1)) % group.size()];
    if (next == button) return true;
    ::SetFocus(next);
    // The button reached is the one chosen, as a click on it would choose it.
    if (::SendMessageA(next, BM_GETCHECK, 0, 0) != BST_CHECKED) ::SendMessageA(next, BM_CLICK, 0, 0);
    return true;
}
