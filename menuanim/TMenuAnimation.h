#pragma once
// The appearance of the framework's pop-up windows: following the system's menu-animation
// settings they fade in, or slide in from the side of what they belong to, over 150 ms.
// At most one pop-up is animated at a time in the whole program. A timing thread asks
// for each step; every visible change is made on the user-interface thread when the
// pop-up window hands its messages to WindowMessage.
#include <windows.h>

#include <functional>

#include "menuanim/TAnimationTimer.h"
#include "menuanim/TWindowPicture.h"

enum class TAnimationEventKind { Started, Stepped, Finished };

// What a test sees of an animation: each change made to the pop-up window.
struct TAnimationEvent {
    TAnimationEventKind kind;
    HWND window;
    bool fade;
    // The level shown: alpha for a fade, progress for a slide (0..255).
    int level;
    // Where the picture (and, for a slide, the window's region) lies in the window.
    POINT offset;
};

class TMenuAnimation {
public:
    static constexpr UINT kStepMessage = TAnimationTimer::kStepMessage;
    // Sent when an animation has finished, so that a pop-up may show its drop shadows.
    static constexpr UINT kShadowsMessage = 0x956;
    static constexpr int kDuration = 150;

    // The pop-up's showing state changes. Shown, not yet visible, allowed by its menu and
    // wanted by the system: it fades in, or slides in when it has directions; otherwise it
    // is shown or hidden at once, any animation of it finished first.
    static void ShowPopup(HWND window, bool show, bool allowed, unsigned directions);

    // Completes any running animation, then animates the window from a picture of it.
    static void Start(HWND window, int duration, bool fade, unsigned directions);
    // Completes the running animation when it is the window's (any window's when null).
    static void Stop(HWND window = nullptr);
    // For the pop-up window's procedure, ahead of its own handling: applies a step message
    // (true: nothing more to do), and completes the window's animation before it paints,
    // erases its background or is destroyed, so that it shows its final state first.
    static bool WindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    // Whether an animation (of that window, when given) runs now.
    static bool Animating(HWND window = nullptr);
    // Counted up at each start; every step message carries it.
    static unsigned Generation();

    // Seams for tests: every change made to an animated window; the pointer as the timing
    // thread reads it; the system's alpha-blending function (null: the system has none).
    static void SetObserver(std::function<void(const TAnimationEvent&)> observer);
    static void SetCursorReader(std::function<POINT()> reader);
    static void SetUpdateLayered(TWindowPicture::UpdateLayeredFunction function);
    // Looks the system's function up again at the next start.
    static void ResetUpdateLayered();

private:
    static void Finish();
    // `level` is the one the change was made with: the timing thread may have moved on.
    static void Notify(TAnimationEventKind kind, int level, POINT offset);
};
