#pragma once
// Moving the focus between the controls of a top-level window with the keyboard, as the
// system's dialog boxes let a user do:
//
// - Tab and Shift+Tab go round the controls that take the focus (WS_TABSTOP, visible and
//   enabled, inside containers that are visible and enabled too), in the order their windows
//   were made, walking into every container marked WS_EX_CONTROLPARENT.
// - The arrow keys move between the buttons of a radio group and select the one they reach.
// - Ctrl+Tab and Ctrl+Shift+Tab turn the pages of the page control that holds the focus, or
//   else of the window's first one.
//
// A control that asks for a key through WM_GETDLGCODE gets it. Enter and Escape are never
// taken: they only ever reach the focused control, so no hidden default button or control
// that happens to carry the id of OK or Cancel is pressed by them.
#include <windows.h>

#include <vector>

class DialogNavigation {
public:
    // Handles a key message for a window inside `root`; true when it was one of the keys
    // above and has been acted on, so that it must be neither translated nor dispatched.
    static bool HandleKey(HWND root, const MSG& message);

    // The controls Tab stops at inside `container`, in order.
    static std::vector<HWND> TabStops(HWND container);
    // The control Tab (or Shift+Tab) goes to from `from`: any window inside `root`, or null
    // or `root` itself for the start of the round. Null when no control takes the focus.
    static HWND NextTabStop(HWND root, HWND from, bool previous);
    // Whether the window and every window above it up to `root` are visible and enabled.
    static bool CanFocus(HWND root, HWND window);

private:
    struct Place {
        HWND window;
        bool tabStop;
        // Visible and enabled, as are the windows above it.
        bool usable;
    };
    // Every window below `parent`, depth first, siblings in the order they were made.
    static void Walk(HWND parent, bool enterable, std::vector<Place>& order);
    static std::vector<Place> Order(HWND container);
    // Gives the focus as Tab does: an edit box's whole text is selected.
    static void FocusControl(HWND control);
    static bool TurnPage(HWND root, HWND from, bool previous);
    static bool MoveInRadioGroup(HWND button, bool previous);
    // Lets every control of `root` show the focus from now on, as it does once the keyboard
    // moves it.
    static void ShowFocusCues(HWND root);
};
