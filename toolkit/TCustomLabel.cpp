#include "toolkit/TCustomLabel.h"

#include "toolkit/Frame3D.h"
#include "toolkit/SelectObjectGuard.h"
#include "toolkit/WindowDC.h"

TCustomLabel::TCustomLabel(TComponent* owner) : TCustomControl(owner) {
    SetBounds(0, 0, 65, 17);
    // A change of the font changes the text's size and look, with or without a window.
    TNotifyEvent previous = Font().OnChange;
    Font().OnChange = [this, previous](TObject& sender) {
        Raise(previous, sender);
        AdjustBounds();
        Invalidate();
    };
}

void TCustomLabel::SetCaption(const std::string& caption) {
    if (caption == Caption()) return;
    TWinControl::SetCaption(caption);
    AdjustBounds();
}

void TCustomLabel::SetAutoSize(bool value) {
    if (value == autoSize_) return;
    autoSize_ = value;
    AdjustBounds();
}

void TCustomLabel::SetAlignment(TAlignment value) {
    if (value == alignment_) return;
    alignment_ = value;
    Invalidate();
}

void TCustomLabel::SetTransparent(bool value) {
    if (value == transparent_) return;
    transparent_ = value;
    Invalidate();
}

UINT TCustomLabel::TextFlags() const {
    UINT flags = DT_EXPANDTABS;
    if (alignment_ == TAlignment::taRightJustify) flags |= DT_RIGHT;
    if (alignment_ == TAlignment::taCenter) flags |= DT_CENTER;
    return flags;
}

void TCustomLabel::CreateWnd() {
    TCustomControl::CreateWnd();
    // The font may have come from the parent just now.
    AdjustBounds();
}

void TCustomLabel::AdjustBounds() {
    if (!autoSize_) return;
    std::string text = Caption();
    // An empty label keeps the height of one line.
    if (text.empty() || text == "&") text += ' ';
    WindowDC screen(nullptr);
    SelectObjectGuard font(screen.get(), Font().Handle());
    RECT extent{0, 0, 0, 0};
    ::DrawTextA(screen.get(), text.c_str(), -1, &extent, TextFlags() | DT_CALCRECT);
    int width = extent.right - extent.left;
    int height = extent.bottom - extent.top;
    int left = Left();
    if (alignment_ == TAlignment::taRightJustify) left = Left() + Width() - width;
    if (alignment_ == TAlignment::taCenter) left = Left() + (Width() - width) / 2;
    SetBounds(left, Top(), width, height);
}

void TCustomLabel::Paint(HDC dc) {
    RECT client;
    ::GetClientRect(Handle(), &client);
    TColor background = Color();
    if (transparent_ && Parent()) background = Parent()->Color();
    FillSolid(dc, client, background);

    std::string text = Caption();
    if (text.empty()) return;
    SelectObjectGuard font(dc, Font().Handle());
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, ColorToRGB(Enabled() ? Font().Color() : clGrayText));
    ::DrawTextA(dc, text.c_str(), -1, &client, TextFlags());
}

LRESULT TCustomLabel::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SETTEXT) {
        LRESULT result = TCustomControl::WndProc(message, wParam, lParam);
        AdjustBounds();
        return result;
    }
    return TCustomControl::WndProc(message, wParam, lParam);
}
