#include "toolkit/TStaticText.h"

#include "toolkit/SelectObjectGuard.h"
#include "toolkit/WindowDC.h"

TStaticText::TStaticText(TComponent* owner) : TWinControl(owner) {}

void TStaticText::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.className = "STATIC";
    params.style |= SS_LEFT | SS_NOPREFIX;
}

void TStaticText::CreateWnd() { AdjustSize(); }

void TStaticText::SetAutoSize(bool value) {
    if (value == autoSize_) return;
    autoSize_ = value;
    AdjustSize();
}

void TStaticText::AdjustSize() {
    if (!autoSize_ || !HandleAllocated()) return;
    WindowDC dc(Handle());
    SelectObjectGuard font(dc.get(), Font().Handle());
    const std::string text = Caption();
    RECT r{0, 0, 0, 0};
    ::DrawTextA(dc.get(), text.c_str(), static_cast<int>(text.size()), &r, DT_CALCRECT | DT_NOPREFIX);
    SetBounds(Left(), Top(), r.right, r.bottom);
}
