#include "widgets/TURLLinkHint.h"

#include "toolkit/Frame3D.h"
#include "toolkit/SelectObjectGuard.h"
#include "toolkit/WindowDC.h"

TURLLinkHint::TURLLinkHint(TComponent* owner) : TCustomControl(owner) { SetVisible(false); }

void TURLLinkHint::CreateParams(TCreateParams& params) {
    TCustomControl::CreateParams(params);
    params.style = WS_POPUP | WS_CLIPSIBLINGS;
    params.exStyle = WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE;
    params.parentWindow = nullptr;
}

void TURLLinkHint::ShowText(const std::string& text, POINT topLeft, TColor color, const TFont& font) {
    SetColor(color);
    Font().Assign(font);
    SetCaption(text);
    SIZE extent{};
    {
        WindowDC screen(nullptr);
        SelectObjectGuard select(screen.get(), Font().Handle());
        ::GetTextExtentPoint32A(screen.get(), text.c_str(), static_cast<int>(text.size()), &extent);
    }
    SetBounds(topLeft.x, topLeft.y, extent.cx + 6, extent.cy + 3);
    Show();
    Invalidate();
}

void TURLLinkHint::Paint(HDC dc) {
    RECT client;
    ::GetClientRect(Handle(), &client);
    FillSolid(dc, client, Color());
    std::string text = Caption();
    SelectObjectGuard font(dc, Font().Handle());
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, ColorToRGB(Font().Color()));
    ::TextOutA(dc, 2, 2, text.c_str(), static_cast<int>(text.size()));
}

LRESULT TURLLinkHint::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_MOUSEACTIVATE) return MA_NOACTIVATE;
    return TCustomControl::WndProc(message, wParam, lParam);
}
