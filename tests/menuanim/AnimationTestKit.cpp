#include "tests/menuanim/AnimationTestKit.h"

#include "toolkit/Frame3D.h"
#include "toolkit/PaintDC.h"
#include "toolkit/UniqueHandle.h"

TestPopup::TestPopup(const RECT& bounds, COLORREF colour) : TWinControl(nullptr), colour_(colour) {
    SetVisible(false);
    SetBounds(bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top);
    Handle();
}

TestPopup::~TestPopup() {
    if (HandleAllocated()) TMenuAnimation::Stop(Handle());
}

void TestPopup::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.style = WS_POPUP;
    params.exStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
}

LRESULT TestPopup::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (TMenuAnimation::WindowMessage(Handle(), message, wParam, lParam)) return 0;
    RECT client;
    switch (message) {
        case TMenuAnimation::kShadowsMessage:
            ++shadows_;
            return 0;
        case WM_PAINT: {
            ++paints_;
            PaintDC dc(Handle());
            ::GetClientRect(Handle(), &client);
            FillSolid(dc.get(), client, static_cast<TColor>(colour_));
            return 0;
        }
        case WM_PRINTCLIENT:
            ::GetClientRect(Handle(), &client);
            FillSolid(reinterpret_cast<HDC>(wParam), client, static_cast<TColor>(colour_));
            return 0;
        case WM_ERASEBKGND:
            return 1;
        default:
            break;
    }
    return TWinControl::WndProc(message, wParam, lParam);
}

MenuSettings::MenuSettings(bool animation, bool fade) {
    ::SystemParametersInfoA(SPI_GETMENUANIMATION, 0, &animation_, 0);
    ::SystemParametersInfoA(SPI_GETMENUFADE, 0, &fade_, 0);
    // The value travels in the pointer argument; not written to the user's profile.
    ::SystemParametersInfoA(SPI_SETMENUANIMATION, 0, reinterpret_cast<void*>(static_cast<INT_PTR>(animation)), 0);
    ::SystemParametersInfoA(SPI_SETMENUFADE, 0, reinterpret_cast<void*>(static_cast<INT_PTR>(fade)), 0);
}

MenuSettings::~MenuSettings() {
    ::SystemParametersInfoA(SPI_SETMENUANIMATION, 0, reinterpret_cast<void*>(static_cast<INT_PTR>(animation_)), 0);
    ::SystemParametersInfoA(SPI_SETMENUFADE, 0, reinterpret_cast<void*>(static_cast<INT_PTR>(fade_)), 0);
}

AnimationRecord::AnimationRecord() {
    TMenuAnimation::SetObserver([this](const TAnimationEvent& event) {
        events_.push_back(event);
        if (OnEvent) OnEvent(event);
    });
}

AnimationRecord::~AnimationRecord() {
    TMenuAnimation::Stop();
    TMenuAnimation::SetObserver(nullptr);
    TMenuAnimation::SetCursorReader(nullptr);
    TMenuAnimation::ResetUpdateLayered();
}

std::vector<TAnimationEvent> AnimationRecord::Of(TAnimationEventKind kind) const {
    std::vector<TAnimationEvent> found;
    for (const TAnimationEvent& event : events_) {
        if (event.kind == kind) found.push_back(event);
    }
    return found;
}

bool AnimationRecord::FinishedFor(HWND window) const {
    for (const TAnimationEvent& event : events_) {
        if (event.kind == TAnimationEventKind::Finished && event.window == window) return true;
    }
    return false;
}

RECT RegionBox(HWND window, bool& has) {
    UniqueHrgn region(::CreateRectRgn(0, 0, 0, 0));
    RECT box{};
    has = ::GetWindowRgn(window, region.get()) != ERROR;
    if (has) ::GetRgnBox(region.get(), &box);
    return box;
}
