#pragma once
// A line (or lines) of text in the label's font and font colour. Auto-size makes the
// control as large as its text; a right-aligned label then keeps its right edge, a
// centred one its middle. A transparent label shows its parent's colour behind the text.
#include <string>

#include "toolkit/TCustomControl.h"

enum class TAlignment { taLeftJustify, taRightJustify, taCenter };

class TCustomLabel : public TCustomControl {
public:
    explicit TCustomLabel(TComponent* owner);

    // Replaces the window's caption and sizes the label to it.
    void SetCaption(const std::string& caption);

    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool value);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool value);
    // "&x" underlines x (and "&&" shows "&"); off shows every "&" as is.
    bool ShowAccelChar() const { return showAccelChar_; }
    void SetShowAccelChar(bool value);

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
    bool showAccelChar_ = true;
};
