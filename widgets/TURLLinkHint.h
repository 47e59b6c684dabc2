#pragma once
// The small pop-up that shows a hyperlink's target beside the pointer: a borderless,
// always-on-top window without a taskbar button that never takes the activation.
#include <string>

#include "toolkit/TCustomControl.h"

class TURLLinkHint : public TCustomControl {
public:
    explicit TURLLinkHint(TComponent* owner);

    // Sizes the window to the text (+6 wide, +3 high) in the font, puts its top-left
    // corner at a screen point and shows it without activating it.
    void ShowText(const std::string& text, POINT topLeft, TColor color, const TFont& font);

protected:
    void CreateParams(TCreateParams& params) override;
    void Paint(HDC dc) override;
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};
