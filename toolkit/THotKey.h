#pragma once
// The system's hotkey-entry control. Its value is a shortcut: the virtual-key code under
// 0x1FFF, 0x2000 Shift, 0x4000 Ctrl, 0x8000 Alt. A combination without modifier, or with
// Shift alone, is not accepted: the control turns it into the same key with Ctrl+Alt.
#include "toolkit/TWinControl.h"

using TShortCut = unsigned short;

constexpr TShortCut scShift = 0x2000;
constexpr TShortCut scCtrl = 0x4000;
constexpr TShortCut scAlt = 0x8000;

class THotKey : public TWinControl {
public:
    explicit THotKey(TComponent* owner);

    TShortCut HotKey() const;
    void SetHotKey(TShortCut shortCut);

    // The shortcut as the control takes it: without modifier or with Shift alone it is the
    // same key with Ctrl+Alt.
    static TShortCut Accepted(TShortCut shortCut);

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    TShortCut hotKey_ = 0;
    // The control starts a new combination at the first modifier pressed. Modifiers alone
    // are no entry: Shift+Tab or Ctrl+Tab leaving the control (the Tab never reaches it),
    // or a click elsewhere after a lone Shift, give back what it held before them.
    bool modifiersOnly_ = false;
    TShortCut beforeModifiers_ = 0;
};
