#pragma once
// A line (or lines) of text in the label's font and font colour. Auto-size makes the
// control as large as its text; a right-aligned label then keeps its right edge, a
// centred one its middle. A transparent label shows its parent's colour behind the text.
// "&x" underlines x, and "&&" shows "&".
#include <string>

#include "toolkit/TCustomControl.h"

enum class TAlignment { taLeftJustify, taRightJustify, taCenter };

class TCustomLabel : public TCustomControl {
public:
    explicit TCustomLabel(TComponent* owner);

    // Replaces the window's caption and sizes the label to it.
    void SetCaption(const std::string& caption);

    void SetAutoSize(bool value);
    void SetAlignment(TAlignment value);
    void SetTransparent(bool value);

protected:
    void CreateWnd() override;
    void Paint(HDC dc) override;
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // Makes the control as large as its text (when AutoSize is on).
    void AdjustBounds();
    UINT TextFlags() const;

private:
    bool autoSize_ = true;
    TAlignment alignment_ = TAlignment::taLeftJustify;
    bool transparent_ = false;
};
