#pragma once
// The window of an open pop-up menu: placed at the point it was opened at, drawn in the
// skin, shown through the menu animation. It never takes the activation; while the menu is
// tracked it holds the mouse capture and turns the pointer and the keys handed to it into a
// selection, a choice or a dismissal, which it reports through OnClose.
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <vector>

#include "toolbar/TBSkin.h"
#include "toolbar/TTBMenuLayout.h"
#include "toolkit/TMenuItem.h"
#include "toolkit/TWinControl.h"

class TTBPopupWindow : public TWinControl {
public:
    struct Look {
        const TBSkin& skin;
        HFONT font;
        HFONT boldFont;
        HIMAGELIST images;
    };

    TTBPopupWindow(HWND owner, const std::vector<TMenuItem*>& items, const Look& look);
    ~TTBPopupWindow() override;

    // Sizes the window to its rows and puts it at the point, inside the monitor; the
    // slide directions follow from where it went.
    void PlaceAt(POINT at);
    unsigned SlideDirections() const { return directions_; }
    // Shows or hides the window the way the menu animation decides.
    void ShowPopup(bool show);

    const std::vector<TMenuItem*>& Items() const { return items_; }
    // The item of a row on the screen (for tests that point at it).
    RECT ItemScreenRect(size_t index);
    int Selected() const { return selected_; }
    // Rows that can be selected and chosen: enabled commands, not separators or titles.
    bool Selectable(int index) const;
    void Select(int index);

    // Keys of the menu: arrows, Home, End, Enter, Escape, Alt; characters choose by the
    // underlined letter.
    void KeyDown(WORD key);
    void CharTyped(char ch);

    // The menu ends: with the index of the chosen item, or -1 when it was dismissed.
    std::function<void(int chosen)> OnClose;
    void Close(int chosen);

    // Paints the menu into any device context exactly as WM_PAINT does.
    void PaintTo(HDC dc) { Paint(dc); }

protected:
    void CreateParams(TCreateParams& params) override;
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Paint(HDC dc);
    void InvalidateRow(int index);
    // Moves the selection to the next selectable row in the direction, around the end.
    void Step(int direction, int from);
    void ChooseByLetter(char ch);
    void PointerMoved(POINT client);
    void ButtonDown(POINT client);
    void ButtonUp(POINT client);

    HWND owner_;
    std::vector<TMenuItem*> items_;
    std::vector<TNotifyEvent> previousOnChange_;
    Look look_;
    TTBMenuLayout layout_;
    unsigned directions_ = 0;
    int selected_ = -1;
    bool closed_ = false;
};
