#include "toolkit/TSpinEdit.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdlib>

TSpinEdit::TSpinEdit(TComponent* owner) : TEdit(owner) { SetText("0"); }

void TSpinEdit::CreateWnd() {
    TEdit::CreateWnd();
    ::SendMessageA(Handle(), EM_SETREADONLY, !allowTyping_, 0);
    // The up-down sits at the edit box's right edge; it reads and writes the edit's text.
    upDown_.reset(::CreateWindowExA(0, UPDOWN_CLASSA, "",
                                    WS_CHILD | UDS_ALIGNRIGHT | UDS_SETBUDDYINT | UDS_ARROWKEYS | UDS_NOTHOUSANDS |
                                        (Visible() ? WS_VISIBLE : 0) | (Enabled() ? 0 : WS_DISABLED),
                                    0, 0, 0, 0, ::GetParent(Handle()), nullptr, ::GetModuleHandleA(nullptr), nullptr));
    ::SendMessageA(upDown_.get(), UDM_SETBUDDY, reinterpret_cast<WPARAM>(Handle()), 0);
    ::SendMessageA(upDown_.get(), UDM_SETRANGE32, min_, max_);
}

LRESULT TSpinEdit::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    // The up-down is a sibling: it must go when the edit box goes, whoever destroys it.
    if (message == WM_DESTROY && upDown_) {
        if (::IsWindow(upDown_.get())) {
            upDown_.reset();
        } else {
            upDown_.release();
        }
    }
    const LRESULT result = TEdit::WndProc(message, wParam, lParam);
    // The user is done typing: what the box shows is what it holds.
    if (message == WM_KILLFOCUS) ShowValue(ReadText());
    return result;
}

void TSpinEdit::SetRange(int minValue, int maxValue) {
    min_ = minValue;
    max_ = maxValue;
    if (upDown_) ::SendMessageA(upDown_.get(), UDM_SETRANGE32, min_, max_);
}

std::string TSpinEdit::ReadText() {
    std::string text = Text();
    char* end = nullptr;
    // A number too long for a long comes back as the longest one: past the range all the same.
    const long typed = std::strtol(text.c_str(), &end, 10);
    const bool isNumber = end != text.c_str() && *end == '\0';
    value_ = static_cast<int>(std::clamp<long>(isNumber ? typed : value_, min_, max_));
    return text;
}

void TSpinEdit::ShowValue(const std::string& shown) {
    const std::string text = std::to_string(value_);
    if (shown == text) return;
    SetText(text);
    if (upDown_) ::SendMessageA(upDown_.get(), UDM_SETPOS32, 0, value_);
}

int TSpinEdit::Value() {
    const std::string shown = ReadText();
    if (!Focused()) ShowValue(shown);
    return value_;
}

void TSpinEdit::SetValue(int value) {
    value_ = std::clamp(value, min_, max_);
    SetText(std::to_string(value_));
    if (upDown_) ::SendMessageA(upDown_.get(), UDM_SETPOS32, 0, value_);
}

void TSpinEdit::SetAllowTyping(bool value) {
    if (value == allowTyping_) return;
    allowTyping_ = value;
    if (HandleAllocated()) ::SendMessageA(Handle(), EM_SETREADONLY, !value, 0);
}

void TSpinEdit::EnabledChanged() {
    if (upDown_) ::EnableWindow(upDown_.get(), Enabled());
}

void TSpinEdit::VisibleChanged() {
    TEdit::VisibleChanged();
    if (upDown_) ::ShowWindow(upDown_.get(), Visible() ? SW_SHOWNA : SW_HIDE);
}
