// The pop-up animation on real windows: what the system's settings decide, the fade's
// levels, the slide's regions, and the ways an animation is completed early.
#include <gtest/gtest.h>

#include <stdexcept>

#include "menuanim/SlideDirections.h"
#include "tests/menuanim/AnimationTestKit.h"
#include "tests/support/BoxRecorder.h"
#include "tests/support/TestEnvironment.h"
#include "tests/support/UnawareThread.h"

namespace {
using std::chrono::seconds;

const RECT kBounds{300, 200, 500, 350};
constexpr int kWidth = 200, kHeight = 150;
// Long enough that nothing but the case under test can end the animation.
constexpr int kLong = 20000;

bool Layered(HWND window) { return (::GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_LAYERED) != 0; }

void PointerAt(int x, int y) {
    ::SetCursorPos(x, y);
    PumpUntil([&] {
        POINT p{};
        ::GetCursorPos(&p);
        if (p.x == x && p.y == y) return true;
        ::SetCursorPos(x, y);
        return false;
    });
}
}  // namespace

TEST(MenuAnimation, SystemSettingsDecideHowAPopupAppears) {
    enum Look { Instant, Fade, Slide };
    struct Case {
        bool animation, fade, allowed, alphaBlending;
        unsigned directions;
        Look look;
    } cases[] = {
        {false, true, true, true, sdDownward, Instant},
        {true, true, false, true, sdDownward, Instant},
        {true, true, true, true, 0, Fade},
        {true, false, true, true, sdDownward | sdRightward, Slide},
        {true, false, true, true, 0, Instant},
        {true, true, true, false, sdUpward, Slide},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "animation " << c.animation << " fade " << c.fade << " allowed " << c.allowed
                                        << " blending " << c.alphaBlending << " directions " << c.directions);
        MenuSettings settings(c.animation, c.fade);
        AnimationRecord record;
        if (!c.alphaBlending) TMenuAnimation::SetUpdateLayered(nullptr);
        TestPopup popup(kBounds);
        TMenuAnimation::ShowPopup(popup.Handle(), true, c.allowed, c.directions);
        EXPECT_TRUE(::IsWindowVisible(popup.Handle()));
        if (c.look == Instant) {
            EXPECT_FALSE(TMenuAnimation::Animating()) << "shown at once, no thread";
            EXPECT_TRUE(record.Events().empty());
            continue;
        }
        ASSERT_EQ(record.Of(TAnimationEventKind::Started).size(), 1u);
        EXPECT_EQ(record.Events().front().fade, c.look == Fade);
        EXPECT_TRUE(TMenuAnimation::Animating(popup.Handle()));
        EXPECT_EQ(Layered(popup.Handle()), c.look == Fade);
        // Hiding completes the animation before the window goes.
        TMenuAnimation::ShowPopup(popup.Handle(), false, c.allowed, c.directions);
        EXPECT_FALSE(TMenuAnimation::Animating());
        EXPECT_TRUE(record.FinishedFor(popup.Handle()));
        EXPECT_FALSE(::IsWindowVisible(popup.Handle()));
        EXPECT_FALSE(Layered(popup.Handle()));
    }
}

TEST(MenuAnimation, FadeStartsAt32AndRisesInStepsOf16ToFullOpacity) {
    MenuSettings settings(true, true);
    AnimationRecord record;
    TestPopup popup(kBounds);
    TMenuAnimation::ShowPopup(popup.Handle(), true, true, sdDownward);
    ASSERT_TRUE(PumpUntil([&] { return record.FinishedFor(popup.Handle()); }));

    const auto& events = record.Events();
    ASSERT_GE(events.size(), 2u);
    EXPECT_EQ(events.front().kind, TAnimationEventKind::Started);
    EXPECT_TRUE(events.front().fade);
    EXPECT_EQ(events.front().level, 32);
    int previous = 32;
    for (const TAnimationEvent& step : record.Of(TAnimationEventKind::Stepped)) {
        EXPECT_EQ(step.level % 16, 0) << step.level;
        EXPECT_GT(step.level, previous);
        EXPECT_LE(step.level, 240);
        previous = step.level;
    }
    EXPECT_EQ(events.back().kind, TAnimationEventKind::Finished);
    // Finished: the whole picture, no longer layered, and the shadows asked for once.
    EXPECT_FALSE(Layered(popup.Handle()));
    EXPECT_EQ(popup.ShadowRequests(), 1);
    EXPECT_FALSE(TMenuAnimation::Animating());
}

TEST(MenuAnimation, SlideShowsTheRegionOfItsLevelAtEachStep) {
    const unsigned directionSets[] = {sdDownward, sdUpward, sdLeftward, sdRightward, sdDownward | sdRightward};
    for (unsigned directions : directionSets) {
        SCOPED_TRACE(directions);
        AnimationRecord record;
        TestPopup popup(kBounds);
        int checked = 0;
        record.OnEvent = [&](const TAnimationEvent& event) {
            bool has = false;
            const RECT box = RegionBox(popup.Handle(), has);
            if (event.kind == TAnimationEventKind::Started) {
                EXPECT_TRUE(has && ::IsRectEmpty(&box)) << "nothing of it shows before the first step";
                return;
            }
            if (event.kind != TAnimationEventKind::Stepped) return;
            const int shownX = ::MulDiv(kWidth, event.level, 255), shownY = ::MulDiv(kHeight, event.level, 255);
            RECT expected{0, 0, kWidth, kHeight};
            if (directions & sdRightward) expected = RECT{shownX - kWidth, expected.top, shownX, expected.bottom};
            if (directions & sdLeftward)
                expected = RECT{kWidth - shownX, expected.top, 2 * kWidth - shownX, expected.bottom};
            if (directions & sdDownward) expected = RECT{expected.left, shownY - kHeight, expected.right, shownY};
            if (directions & sdUpward)
                expected = RECT{expected.left, kHeight - shownY, expected.right, 2 * kHeight - shownY};
            EXPECT_TRUE(has);
            EXPECT_TRUE(::EqualRect(&box, &expected)) << "level " << event.level << ": " << box.left << "," << box.top
                                                      << "," << box.right << "," << box.bottom;
            EXPECT_EQ(event.offset.x, expected.left);
            EXPECT_EQ(event.offset.y, expected.top);
            ++checked;
        };
        TMenuAnimation::Start(popup.Handle(), 600, false, directions);
        ASSERT_TRUE(PumpUntil([&] { return record.FinishedFor(popup.Handle()); }, seconds(20)));
        EXPECT_GT(checked, 0);
        bool has = true;
        RegionBox(popup.Handle(), has);
        EXPECT_FALSE(has) << "the finished window has no region left";
    }
}

TEST(MenuAnimation, PointerMovedIntoTheMenuCompletesItAtOnceAlsoOnAScaledDisplay) {
    // The timing thread reads the pointer in the coordinates the menu's rectangle was taken
    // in, also where they are scaled for a program that is not DPI-aware.
    UnawareThread unaware;
    PointerAt(kBounds.left - 40, kBounds.top - 40);
    AnimationRecord record;
    TestPopup popup(kBounds);
    TMenuAnimation::Start(popup.Handle(), kLong, false, sdDownward);
    PointerAt((kBounds.left + kBounds.right) / 2, (kBounds.top + kBounds.bottom) / 2);
    ASSERT_TRUE(PumpUntil([&] { return record.FinishedFor(popup.Handle()); }, seconds(15)));
    EXPECT_LT(record.Events().back().level, 128) << "completed long before its time";
    bool has = true;
    RegionBox(popup.Handle(), has);
    EXPECT_FALSE(has);
    PointerAt(20, 20);
}

TEST(MenuAnimation, SecondPopupCompletesTheFirstBeforeItStarts) {
    AnimationRecord record;
    TestPopup first(kBounds), second(RECT{600, 200, 700, 300});
    TMenuAnimation::Start(first.Handle(), kLong, false, sdDownward);
    TMenuAnimation::Start(second.Handle(), kLong, false, sdDownward);
    const auto& events = record.Events();
    ASSERT_EQ(events.size(), 3u);
    EXPECT_EQ(events[0].kind, TAnimationEventKind::Started);
    EXPECT_EQ(events[1].kind, TAnimationEventKind::Finished);
    EXPECT_EQ(events[1].window, first.Handle());
    EXPECT_EQ(events[2].kind, TAnimationEventKind::Started);
    EXPECT_EQ(events[2].window, second.Handle());
    EXPECT_FALSE(TMenuAnimation::Animating(first.Handle()));
    EXPECT_TRUE(TMenuAnimation::Animating(second.Handle()));
    bool has = true;
    RegionBox(first.Handle(), has);
    EXPECT_FALSE(has) << "the first is shown complete";
}

TEST(MenuAnimation, StepMessageOfAnEarlierAnimationIsIgnored) {
    AnimationRecord record;
    TestPopup popup(kBounds);
    TMenuAnimation::Start(popup.Handle(), kLong, false, sdDownward);
    const unsigned earlier = TMenuAnimation::Generation();
    TMenuAnimation::Stop();
    TMenuAnimation::Start(popup.Handle(), kLong, false, sdDownward);
    ASSERT_EQ(TMenuAnimation::Generation(), earlier + 1);
    record.Clear();

    ::SendMessageA(popup.Handle(), TMenuAnimation::kStepMessage, 0, static_cast<LPARAM>(earlier));
    EXPECT_TRUE(record.Events().empty());
    ::SendMessageA(popup.Handle(), TMenuAnimation::kStepMessage, 0, static_cast<LPARAM>(earlier + 1));
    EXPECT_EQ(record.Of(TAnimationEventKind::Stepped).size(), 1u);

    // After the finish, a late step of the finished animation changes nothing either.
    TMenuAnimation::Stop();
    record.Clear();
    ::SendMessageA(popup.Handle(), TMenuAnimation::kStepMessage, 0, static_cast<LPARAM>(earlier + 1));
    EXPECT_TRUE(record.Events().empty());
}

TEST(MenuAnimation, PaintOrDestructionCompletesTheAnimationFirst) {
    AnimationRecord record;
    TestPopup painted(kBounds);
    int paintsWhenFinished = -1;
    record.OnEvent = [&](const TAnimationEvent& event) {
        if (event.kind == TAnimationEventKind::Finished) paintsWhenFinished = painted.Paints();
    };
    TMenuAnimation::Start(painted.Handle(), kLong, false, sdDownward);
    ::InvalidateRect(painted.Handle(), nullptr, FALSE);
    ::UpdateWindow(painted.Handle());
    EXPECT_EQ(paintsWhenFinished, 0) << "completed before the paint";
    EXPECT_EQ(painted.Paints(), 1);
    EXPECT_FALSE(TMenuAnimation::Animating());

    record.OnEvent = nullptr;
    auto destroyed = std::make_unique<TestPopup>(kBounds);
    const HWND window = destroyed->Handle();
    TMenuAnimation::Start(window, kLong, true, 0);
    destroyed.reset();
    EXPECT_FALSE(TMenuAnimation::Animating());
    EXPECT_TRUE(record.FinishedFor(window));
}

TEST(MenuAnimation, ErrorOnTheTimingThreadIsShownOnTheUserInterfaceThread) {
    BoxRecorder boxes;
    AnimationRecord record;
    const DWORD userInterface = ::GetCurrentThreadId();
    TMenuAnimation::SetCursorReader([userInterface] {
        if (::GetCurrentThreadId() != userInterface) throw std::runtime_error("pointer unreadable");
        return POINT{0, 0};
    });
    TestPopup popup(kBounds);
    DWORD shownOn = 0;
    boxes.OnBox([&](const MessageBoxRequest&) { shownOn = ::GetCurrentThreadId(); });
    TMenuAnimation::Start(popup.Handle(), kLong, false, sdDownward);
    // The error and the last step come as two messages in either order: wait for both.
    ASSERT_TRUE(PumpUntil([&] { return !boxes.Boxes().empty() && !TMenuAnimation::Animating(); }));
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>({"pointer unreadable."}));
    EXPECT_EQ(shownOn, userInterface);
    EXPECT_TRUE(record.FinishedFor(popup.Handle())) << "the menu is shown complete";
    EXPECT_FALSE(TMenuAnimation::Animating());
}

TEST(SlideDirections, FollowWhereThePopupLiesAgainstWhatItBelongsTo) {
    const RECT point{500, 400, 500, 400};
    const RECT item{100, 100, 200, 120};
    struct Case {
        RECT popup, parent;
        bool beside;
        unsigned expected;
    } cases[] = {
        {{500, 400, 600, 500}, point, false, sdDownward | sdRightward},
        {{400, 300, 500, 400}, point, false, sdUpward | sdLeftward},
        {{500, 300, 600, 400}, point, false, sdUpward | sdRightward},
        // Pushed back over the point on both axes: no side to come from.
        {{450, 350, 550, 450}, point, false, 0},
        {{450, 400, 550, 500}, point, false, sdDownward},
        {{200, 100, 300, 200}, item, true, sdRightward},
        {{0, 100, 100, 200}, item, true, sdLeftward},
        {{99, 100, 199, 200}, item, true, sdLeftward},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SlideDirections(c.popup, c.parent, c.beside), c.expected)
            << c.popup.left << "," << c.popup.top << " beside " << c.beside;
    }
}
