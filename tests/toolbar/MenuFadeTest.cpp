// The menu faded in, the way Windows shows it by default: once the fade is over the screen
// shows the menu's own pixels, as when it is shown at once.
#include <gtest/gtest.h>

#include <memory>

#include "tests/menuanim/AnimationTestKit.h"
#include "tests/support/PixelCanvas.h"
#include "tests/support/TestEnvironment.h"
#include "tests/toolbar/MenuTestKit.h"
#include "toolkit/WindowDC.h"

namespace {
// What the screen shows where the window is.
std::unique_ptr<PixelCanvas> OnScreen(HWND window) {
    RECT r{};
    ::GetWindowRect(window, &r);
    auto canvas = std::make_unique<PixelCanvas>(r.right - r.left, r.bottom - r.top);
    WindowDC screen(nullptr);
    ::BitBlt(canvas->dc(), 0, 0, canvas->Width(), canvas->Height(), screen.get(), r.left, r.top, SRCCOPY);
    ::GdiFlush();
    return canvas;
}

bool Same(const PixelCanvas& a, const PixelCanvas& b) {
    return a.Width() == b.Width() && a.Height() == b.Height() &&
           a.Differences(b, RECT{0, 0, a.Width(), a.Height()}) == 0;
}

bool OneColour(const PixelCanvas& canvas) {
    return Same(canvas, PixelCanvas(canvas.Width(), canvas.Height(), canvas.At(0, 0)));
}

// Windows shows a window that leaves the layered state with what it paints afterwards and
// asks it for no paint by itself; what was drawn into it before is not kept. Wine keeps the
// pixels: the test takes them away at the moment the animation ends, so that only a paint
// the window is asked for brings the menu back.
void LoseSurface(HWND window) {
    WindowDC whole(window, WindowDC::Area::WholeWindow);
    RECT r{};
    ::GetWindowRect(window, &r);
    ::OffsetRect(&r, -r.left, -r.top);
    ::FillRect(whole.get(), &r, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
}

// The menu opened with the system's fade on or off, as the screen shows it once it has
// settled: no animation running, nothing left to paint, and the same pixels twice running
// that are not all one colour (or what it shows when it never settles).
std::unique_ptr<PixelCanvas> ShownMenu(bool fade) {
    MenuSettings settings(fade, fade);
    AnimationRecord record;
    record.OnEvent = [](const TAnimationEvent& event) {
        if (event.kind == TAnimationEventKind::Finished && event.fade) LoseSurface(event.window);
    };
    TestMenu test({"Alpha", "!Beta", "-", "Gamma", "Omega"});
    std::unique_ptr<PixelCanvas> seen;
    WhileOpen look([&] {
        const HWND menu = test.Menu().PopupWindow()->Handle();
        seen = OnScreen(menu);
        PumpUntil(
            [&] {
                std::unique_ptr<PixelCanvas> now = OnScreen(menu);
                const bool settled = !TMenuAnimation::Animating() && !::GetUpdateRect(menu, nullptr, FALSE) &&
                                     Same(*now, *seen) && !OneColour(*now);
                seen = std::move(now);
                return settled;
            },
            std::chrono::seconds(10));
        test.Menu().CloseUp();
    });
    test.Menu().Popup(300, 200);
    EXPECT_EQ(record.Of(TAnimationEventKind::Started).size(), fade ? 1u : 0u) << "faded in as the system asked";
    return seen;
}
}  // namespace

TEST(MenuFade, FadedInMenuEndsWithThePixelsOfOneShownAtOnce) {
    // Away from the menu: a pointer inside it would end the fade early.
    ::SetCursorPos(20, 20);
    DEVMODEA display{};
    display.dmSize = sizeof display;
    ::EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &display);
    // Three openings, then a fourth after the display's colour depth has changed (layered
    // windows have to be made anew after one).
    for (int opening = 1; opening <= 4; ++opening) {
        SCOPED_TRACE(testing::Message() << "opening " << opening);
        if (opening == 4) {
            display.dmBitsPerPel = 16;
            display.dmFields = DM_BITSPERPEL | DM_PELSWIDTH | DM_PELSHEIGHT;
            // For this process's life only; put back below.
            ASSERT_EQ(::ChangeDisplaySettingsA(&display, CDS_FULLSCREEN), DISP_CHANGE_SUCCESSFUL);
        }
        const std::unique_ptr<PixelCanvas> atOnce = ShownMenu(false);
        const std::unique_ptr<PixelCanvas> faded = ShownMenu(true);
        EXPECT_FALSE(OneColour(*atOnce)) << "the menu shown at once is blank";
        EXPECT_TRUE(Same(*faded, *atOnce)) << "the faded menu ends blank or stale";
    }
    ::ChangeDisplaySettingsA(nullptr, 0);
}
