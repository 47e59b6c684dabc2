#include "menuanim/TMenuAnimation.h"

#include <memory>

#include "menuanim/SlideDirections.h"

namespace {
constexpr int kFirstFadeLevel = 32;
// No move, size or reordering, no activation; show (0x57) or hide (0x97).
constexpr UINT kShowAtOnce = SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW;
constexpr UINT kHideAtOnce = SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW;
// Shown as it is, without redrawing and without waiting (0x425F).
constexpr UINT kShowForAnimation = kShowAtOnce | SWP_NOREDRAW | SWP_NOOWNERZORDER | SWP_ASYNCWINDOWPOS;

// The one animation of the program.
struct State {
    bool fade = false;
    unsigned directions = 0;
    std::unique_ptr<TWindowPicture> picture;
    TAnimationShared shared;
    // Made for each animation, after the shared state it reads (and so gone before it).
    std::unique_ptr<TAnimationTimer> timer;
    unsigned generation = 0;
};

State& Animation() {
    static State state;
    return state;
}

struct Seams {
    std::function<void(const TAnimationEvent&)> observer;
    std::function<POINT()> readCursor;
    bool layeredLookedUp = false;
    TWindowPicture::UpdateLayeredFunction updateLayered = nullptr;
};

Seams& TheSeams() {
    static Seams seams;
    return seams;
}

POINT CursorNow() {
    POINT p{};
    ::GetCursorPos(&p);
    return p;
}

bool SystemSetting(UINT action) {
    BOOL on = FALSE;
    return ::SystemParametersInfoA(action, 0, &on, 0) && on;
}

void SetRegion(HWND window, const RECT& r) {
    UniqueHrgn region(::CreateRectRgn(r.left, r.top, r.right, r.bottom));
    // The window owns the region once it has accepted it.
    if (::SetWindowRgn(window, region.get(), FALSE)) region.release();
}

// Where the picture lies at a slide's level: it comes in from the sides it slides from.
POINT SlideOffset(unsigned directions, int width, int height, int level) {
    POINT offset{0, 0};
    if (directions & sdRightward) offset.x = ::MulDiv(width, level, 255) - width;
    if (directions & sdLeftward) offset.x = width - ::MulDiv(width, level, 255);
    if (directions & sdDownward) offset.y = ::MulDiv(height, level, 255) - height;
    if (directions & sdUpward) offset.y = height - ::MulDiv(height, level, 255);
    return offset;
}
}  // namespace

void TMenuAnimation::ShowPopup(HWND window, bool show, bool allowed, unsigned directions) {
    if (show && !::IsWindowVisible(window) && allowed && SystemSetting(SPI_GETMENUANIMATION)) {
        const bool fade = SystemSetting(SPI_GETMENUFADE);
        if (fade || directions != 0) {
            Start(window, kDuration, fade, directions);
            return;
        }
    }
    Stop(window);
    ::SetWindowPos(window, nullptr, 0, 0, 0, 0, show ? kShowAtOnce : kHideAtOnce);
}

void TMenuAnimation::Start(HWND window, int duration, bool fade, unsigned directions) {
    Stop(nullptr);
    Seams& seams = TheSeams();
    if (!seams.layeredLookedUp) {
        seams.updateLayered = reinterpret_cast<TWindowPicture::UpdateLayeredFunction>(
            reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("user32.dll"), "UpdateLayeredWindow")));
        seams.layeredLookedUp = true;
    }

    State& state = Animation();
    state.shared.Clear();
    state.shared.window = window;
    state.shared.duration = duration;
    state.fade = fade && seams.updateLayered != nullptr;
    state.directions = directions;
    state.shared.readCursor = seams.readCursor ? seams.readCursor : CursorNow;
    state.shared.lastCursor = state.shared.readCursor();
    ::GetClientRect(window, &state.shared.client);
    ::MapWindowPoints(window, HWND_DESKTOP, reinterpret_cast<POINT*>(&state.shared.client), 2);

    state.picture = std::make_unique<TWindowPicture>(window);
    if (state.fade) {
        ::SetWindowLongA(window, GWL_EXSTYLE, ::GetWindowLongA(window, GWL_EXSTYLE) | WS_EX_LAYERED);
        state.shared.level = kFirstFadeLevel;
        state.picture->Blend(seams.updateLayered, kFirstFadeLevel);
    } else {
        state.shared.level = 0;
        SetRegion(window, RECT{0, 0, 0, 0});
    }
    Notify(TAnimationEventKind::Started, state.shared.level, POINT{0, 0});
    ::SetWindowPos(window, nullptr, 0, 0, 0, 0, kShowForAnimation);

    // The thread carries the generation in every message from its start on.
    state.shared.generation = ++state.generation;
    try {
        state.timer = std::make_unique<TAnimationTimer>(state.shared);
        state.timer->Start();
    } catch (const std::exception&) {
        // No thread to time it: the window is complete at once, and the generation is not
        // used.
        state.timer.reset();
        --state.generation;
        Finish();
    }
}

void TMenuAnimation::Stop(HWND window) {
    State& state = Animation();
    if (!state.timer) return;
    if (window && window != state.shared.window) return;
    // The timer's end waits for its thread.
    state.timer.reset();
    Finish();
}

void TMenuAnimation::Finish() {
    State& state = Animation();
    HWND window = state.shared.window;
    if (!window || !state.picture) return;
    if (state.fade) {
        ::SetWindowLongA(window, GWL_EXSTYLE, ::GetWindowLongA(window, GWL_EXSTYLE) & ~WS_EX_LAYERED);
        // A window that leaves the layered state must be asked to paint itself: on Windows it
        // is given a new surface, into which nothing drawn before reaches, and the picture
        // was taken for the display as it was when the menu opened.
        ::RedrawWindow(window, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN);
    } else {
        ::SetWindowRgn(window, nullptr, FALSE);
    }
    state.picture->CopyTo(0, 0);
    // Deletes the memory context and the bitmap, then releases the window's context.
    state.picture.reset();
    Notify(TAnimationEventKind::Finished, state.shared.level, POINT{0, 0});
    state.shared.window = nullptr;
    ::SendMessageA(window, kShadowsMessage, 0, 0);
}

bool TMenuAnimation::WindowMessage(HWND window, UINT message, WPARAM, LPARAM lParam) {
    if (message == WM_PAINT || message == WM_ERASEBKGND || message == WM_DESTROY) Stop(window);
    if (message != kStepMessage) return false;
    State& state = Animation();
    // A message of an earlier animation, or one that arrives after its finish.
    if (static_cast<unsigned>(lParam) != state.generation || window != state.shared.window || !state.picture)
        return true;
    if (state.shared.done != 0) {
        Stop(window);
        return true;
    }
    const int level = state.shared.level;
    POINT offset{0, 0};
    if (state.fade) {
        state.picture->Blend(TheSeams().updateLayered, level);
    } else {
        const int width = state.picture->Width(), height = state.picture->Height();
        offset = SlideOffset(state.directions, width, height, level);
        SetRegion(window, RECT{offset.x, offset.y, offset.x + width, offset.y + height});
        state.picture->CopyTo(offset.x, offset.y);
    }
    Notify(TAnimationEventKind::Stepped, level, offset);
    state.shared.pending = 0;
    return true;
}

bool TMenuAnimation::Animating(HWND window) {
    const State& state = Animation();
    return state.timer && (!window || window == state.shared.window);
}

unsigned TMenuAnimation::Generation() { return Animation().generation; }

void TMenuAnimation::Notify(TAnimationEventKind kind, int level, POINT offset) {
    const State& state = Animation();
    if (TheSeams().observer) TheSeams().observer({kind, state.shared.window, state.fade, level, offset});
}

void TMenuAnimation::SetObserver(std::function<void(const TAnimationEvent&)> observer) {
    TheSeams().observer = std::move(observer);
}

void TMenuAnimation::SetCursorReader(std::function<POINT()> reader) { TheSeams().readCursor = std::move(reader); }

void TMenuAnimation::SetUpdateLayered(TWindowPicture::UpdateLayeredFunction function) {
    TheSeams().updateLayered = function;
    TheSeams().layeredLookedUp = true;
}

void TMenuAnimation::ResetUpdateLayered() {
    TheSeams().updateLayered = nullptr;
    TheSeams().layeredLookedUp = false;
}
