#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <vector>

#include "desktop/TTrayIcon.h"
#include "tests/desktop/ShellRecorder.h"
#include "tests/support/BoxRecorder.h"
#include "tests/support/TestEnvironment.h"
#include "toolkit/Exception.h"
#include "toolkit/TApplication.h"

namespace {
using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);

// An image list with a red and a blue picture.
struct TwoPictures {
    TwoPictures() : list(nullptr) {
        for (COLORREF colour : {kRed, kBlue}) {
            UniqueHicon icon(MakeSolidIcon(colour));
            list.AddIcon(icon.get());
        }
    }
    TImageList list;
};

std::vector<COLORREF> Centres(const std::vector<ShellCall>& calls) {
    std::vector<COLORREF> centres;
    for (const ShellCall& call : calls) centres.push_back(call.centre);
    return centres;
}

long long Millis(Clock::duration d) { return std::chrono::duration_cast<milliseconds>(d).count(); }
}  // namespace

TEST(TrayIconAnimation, PicturesTakeTurnsAtTheRateAndTheStaticIconEndsThem) {
    ShellRecorder shell;
    TwoPictures pictures;
    TTrayIcon icon(nullptr);
    icon.SetTipHelp("Pictavo");
    icon.SetVisible(true);
    icon.SetAnimateIcons(&pictures.list);
    shell.Clear();

    icon.StartAnimation();
    ASSERT_TRUE(PumpUntil([&] { return shell.Count() >= 4; }, milliseconds(10000)));
    icon.StopAnimation();
    const size_t afterStop = shell.Count();
    PumpFor(milliseconds(3 * icon.AnimateRate()));

    auto calls = shell.Calls();
    ASSERT_EQ(calls.size(), afterStop) << "a picture arrived after StopAnimation returned";
    const std::vector<COLORREF> expected = {kRed, kBlue, kRed, kBlue};
    std::vector<COLORREF> frames = Centres(calls);
    frames.pop_back();
    frames.resize(std::min<size_t>(frames.size(), 4));
    EXPECT_EQ(frames, expected);
    for (size_t i = 1; i + 1 < calls.size(); ++i) {
        EXPECT_GE(Millis(calls[i].at - calls[i - 1].at), 500 - 20) << "picture " << i;
        EXPECT_EQ(calls[i].action, static_cast<DWORD>(NIM_MODIFY));
        EXPECT_EQ(calls[i].tip, "Pictavo") << "the tip travels with each picture";
    }
    EXPECT_EQ(calls.back().record.icon, TApplication::Instance().Icon()) << "the static icon comes last";
    EXPECT_FALSE(icon.Animating());
}

TEST(TrayIconAnimation, StartIsIgnoredWithoutPicturesOrWhileRunning) {
    ShellRecorder shell;
    TTrayIcon icon(nullptr);
    icon.SetVisible(true);
    shell.Clear();
    icon.StartAnimation();
    EXPECT_FALSE(icon.Animating()) << "no image list";
    TImageList empty(nullptr);
    icon.SetAnimateIcons(&empty);
    icon.StartAnimation();
    EXPECT_FALSE(icon.Animating()) << "an empty image list";
    icon.StopAnimation();
    EXPECT_EQ(shell.Count(), 0u) << "stopping what does not run sends nothing";

    TwoPictures pictures;
    icon.SetAnimateIcons(&pictures.list);
    icon.StartAnimation(true);
    ASSERT_TRUE(PumpUntil([&] { return shell.Count() >= 1; }));
    icon.StartAnimation(false);
    TImageList other(nullptr);
    icon.SetAnimateIcons(&other);
    EXPECT_EQ(icon.AnimateIcons(), &pictures.list) << "the list cannot change while animating";
    PumpFor(milliseconds(3 * icon.AnimateRate()));
    EXPECT_EQ(shell.Count(), 1u) << "single frame: one picture and it stays";
    icon.StopAnimation();
    EXPECT_EQ(shell.Count(), 2u);
}

TEST(TrayIconAnimation, SingleFrameKeepsItsPictureThroughTipChanges) {
    ShellRecorder shell;
    TwoPictures pictures;
    TTrayIcon icon(nullptr);
    icon.SetVisible(true);
    icon.SetAnimateIcons(&pictures.list);
    icon.StartAnimation(true);
    ASSERT_TRUE(PumpUntil([&] { return shell.Count() >= 2; }));
    icon.SetTipHelp("recording");
    auto calls = shell.Calls();
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_EQ(calls[2].centre, kRed);
    EXPECT_EQ(calls[2].tip, "recording");
    icon.StopAnimation();
}

TEST(TrayIconAnimation, AnimationWhileHiddenShowsTheCurrentPictureWhenAdded) {
    ShellRecorder shell;
    TwoPictures pictures;
    TTrayIcon icon(nullptr);
    icon.SetAnimateIcons(&pictures.list);
    icon.SetAnimateRate(100);
    icon.StartAnimation();
    PumpFor(milliseconds(250));
    EXPECT_EQ(shell.Count(), 0u) << "nothing is sent for an icon the shell does not hold";
    icon.SetVisible(true);
    auto calls = shell.Calls();
    ASSERT_GE(calls.size(), 1u);
    EXPECT_EQ(calls[0].action, static_cast<DWORD>(NIM_ADD));
    EXPECT_TRUE(calls[0].centre == kRed || calls[0].centre == kBlue);
    icon.StopAnimation();
    EXPECT_EQ(shell.Calls().back().record.icon, TApplication::Instance().Icon());
}

TEST(TrayIconAnimation, ImageListDestroyedWhileAnimatingLeavesTheAnimationSound) {
    ShellRecorder shell;
    TTrayIcon icon(nullptr);
    icon.SetVisible(true);
    icon.SetAnimateRate(100);
    {
        TwoPictures pictures;
        icon.SetAnimateIcons(&pictures.list);
        icon.StartAnimation();
    }
    EXPECT_EQ(icon.AnimateIcons(), nullptr);
    shell.Clear();
    ASSERT_TRUE(PumpUntil([&] { return shell.Count() >= 3; }));
    icon.StopAnimation();
    icon.StartAnimation();
    EXPECT_FALSE(icon.Animating());
}

TEST(TrayIconAnimation, NeitherTheFirstPictureNorTheEndWaitsForTheRate) {
    // A rate far longer than any wait below: what waited for it would fail the test.
    constexpr int kRate = 60000;
    constexpr long long kFarBelowTheRate = 20000;
    ShellRecorder shell;
    TwoPictures pictures;
    for (bool singleFrame : {false, true}) {
        auto icon = std::make_unique<TTrayIcon>(nullptr);
        icon->SetVisible(true);
        icon->SetAnimateIcons(&pictures.list);
        icon->SetAnimateRate(kRate);
        shell.Clear();
        icon->StartAnimation(singleFrame);
        ASSERT_TRUE(PumpUntil([&] { return shell.Count() == 1; })) << "the first picture comes at once";
        const auto stopping = Clock::now();
        icon->StopAnimation();
        EXPECT_LT(Millis(Clock::now() - stopping), kFarBelowTheRate) << "a sleeping thread is woken";

        // Destroyed while animating: the thread ends, and nothing reaches the shell after
        // the icon's removal.
        icon->StartAnimation(singleFrame);
        ASSERT_TRUE(PumpUntil([&] { return shell.Count() == 3; }));
        const auto destroying = Clock::now();
        icon.reset();
        EXPECT_LT(Millis(Clock::now() - destroying), kFarBelowTheRate);
        const size_t calls = shell.Count();
        EXPECT_EQ(shell.Calls().back().action, static_cast<DWORD>(NIM_DELETE));
        PumpFor(milliseconds(600));
        EXPECT_EQ(shell.Count(), calls);
    }
}

TEST(TrayIconAnimation, FailureOnTheAnimationThreadIsShownAndHoldsUpNobody) {
    BoxRecorder boxes;
    ShellRecorder shell;
    // The shell fails with an error when the animation thread calls it.
    struct FailingOffThread {
        ShellNotifyFunction recorder;
        FailingOffThread() {
            const DWORD userInterface = ::GetCurrentThreadId();
            recorder = TTrayIcon::SetShellNotify([this, userInterface](DWORD action, NotifyIconRecord& record) {
                if (on && ::GetCurrentThreadId() != userInterface) throw Exception("シェルの失敗");
                return recorder(action, record);
            });
        }
        ~FailingOffThread() { TTrayIcon::SetShellNotify(std::move(recorder)); }
        std::atomic<bool> on{true};
    } failing;
    TwoPictures pictures;
    TTrayIcon icon(nullptr);
    icon.SetVisible(true);
    icon.SetAnimateIcons(&pictures.list);

    for (bool singleFrame : {false, true}) {
        icon.StartAnimation(singleFrame);
        ASSERT_TRUE(PumpUntil([&] { return boxes.Boxes().size() == (singleFrame ? 2u : 1u); }));
        EXPECT_EQ(boxes.Texts().back(), "シェルの失敗.");
        icon.StopAnimation();
        EXPECT_FALSE(icon.Animating());
        EXPECT_EQ(shell.Calls().back().record.icon, TApplication::Instance().Icon()) << "the static icon is back";
    }
    // The shell works again: the animation starts afresh, on a thread that runs, whether the
    // failed one's end was reported meanwhile or not.
    failing.on = false;
    for (bool pumpFirst : {false, true}) {
        if (pumpFirst) PumpFor(milliseconds(100));
        shell.Clear();
        icon.StartAnimation(false);
        EXPECT_TRUE(PumpUntil([&] { return shell.Count() >= 2; })) << "pumped first: " << pumpFirst;
        icon.StopAnimation();
    }
    EXPECT_EQ(boxes.Boxes().size(), 2u);
}
