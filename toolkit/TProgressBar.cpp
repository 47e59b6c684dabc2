#include "toolkit/TProgressBar.h"

#include <commctrl.h>

#include <algorithm>

TProgressBar::TProgressBar(TComponent* owner) : TWinControl(owner) {}

void TProgressBar::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.className = PROGRESS_CLASSA;
}

void TProgressBar::CreateWnd() {
    ::SendMessageA(Handle(), PBM_SETRANGE32, static_cast<WPARAM>(min_), static_cast<LPARAM>(max_));
    ::SendMessageA(Handle(), PBM_SETPOS, static_cast<WPARAM>(position_), 0);
}

void TProgressBar::SetRange(int min, int max) {
    if (max < min) max = min;
    if (min == min_ && max == max_) return;
    min_ = min;
    max_ = max;
    if (HandleAllocated())
        ::SendMessageA(Handle(), PBM_SETRANGE32, static_cast<WPARAM>(min_), static_cast<LPARAM>(max_));
    SetPosition(position_);
}

void TProgressBar::SetPosition(int position) {
    position = std::clamp(position, min_, max_);
    if (position == position_) return;
    position_ = position;
    if (HandleAllocated()) ::SendMessageA(Handle(), PBM_SETPOS, static_cast<WPARAM>(position_), 0);
}
