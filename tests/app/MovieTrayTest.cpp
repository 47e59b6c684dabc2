// Recordings started and ended the way the user does it: from the tray menu, with the end
// key and with a single left click on the animated tray icon, using the real pointer and
// keyboard.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "movie/WorkFolder.h"
#include "tests/app/ChooseFromMenu.h"
#include "tests/app/MovieModeForms.h"
#include "tests/support/AviReader.h"
#include "tests/support/BoxRecorder.h"
#include "tests/support/ScreenSearch.h"
#include "tests/support/TestEnvironment.h"
#include "toolkit/TIcon.h"

namespace {
using std::chrono::seconds;

using MovieTray = MovieModeForms;

}  // namespace

TEST_F(MovieTray, StartedFromTheTrayMenuAndEndedByTheEndKey) {
    TIcon findable;
    findable.SetHandle(MakeSolidIcon(RGB(255, 0, 255)));
    form1->TrayIcon1->SetIcon(&findable);
    ASSERT_TRUE(form1->HookHotKey1->RegisterShortCut(3, scCtrl | scAlt | 'E'));
    BoxRecorder boxes;

    RECT icon{};
    ASSERT_TRUE(PumpUntil([&] { return (icon = FindColourOnScreen("#FF00FF")).right > 0; }, seconds(20)));
    bool chosen = false;
    std::thread user([&] { chosen = ChooseFromOpenMenu("動画撮影開始"); });
    ASSERT_TRUE(RunHostCommand(ClickAt((icon.left + icon.right) / 2, (icon.top + icon.bottom) / 2)));
    const bool started = PumpUntil([&] { return form1->Timer2->Enabled(); }, seconds(20));
    user.join();
    ASSERT_TRUE(chosen && started) << "the menu did not open, or its item was not found";
    EXPECT_TRUE(form1->TrayIcon1->Animating());

    // Frames come at the interval: about one every 300 ms.
    const auto begin = std::chrono::steady_clock::now();
    ASSERT_TRUE(PumpUntil([&] { return form1->FrameCounter() >= 5; }, seconds(30)));
    const auto took = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - begin);
    EXPECT_GE(took.count(), 4 * 300 - 100) << "five frames came too fast";

    ASSERT_TRUE(RunHostCommand("xdotool search --name 'Wine desktop' windowfocus --sync key ctrl+alt+e"));
    ASSERT_TRUE(PumpUntil([&] { return !boxes.Boxes().empty(); }, seconds(20)));
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>({"ムービーを出力しました"}));
    EXPECT_FALSE(form1->TrayIcon1->Animating());
    EXPECT_FALSE(PathExists(WorkFolderPath()));
    EXPECT_EQ(ReadAvi(folder / "001.AVI").frames.size(), std::size_t(form1->FrameCounter()));
}

TEST_F(MovieTray, ClickOnTheAnimatedIconEndsTheRecording) {
    BoxRecorder boxes;

    form1->TB_MovieCaptureStart->Click();
    ASSERT_TRUE(PumpUntil([&] { return form1->FrameCounter() >= 2; }, seconds(30)));
    // The recording's camera picture, with its blue lens, is in the notification area.
    RECT icon{};
    ASSERT_TRUE(PumpUntil([&] { return (icon = FindColourOnScreen("#285AAA")).right > 0; }, seconds(20)));

    // The press opens the menu as well; a user who meant to click lets it go.
    std::atomic<bool> stop{false};
    std::thread user([&] {
        while (!stop) {
            if (WaitForOpenMenu(std::chrono::milliseconds(0))) RunHostCommand("xdotool key Escape");
            ::Sleep(50);
        }
    });
    ASSERT_TRUE(RunHostCommand(ClickAt((icon.left + icon.right) / 2, (icon.top + icon.bottom) / 2)));
    const bool ended = PumpUntil([&] { return !boxes.Boxes().empty(); }, seconds(20));
    stop = true;
    user.join();
    ASSERT_TRUE(ended) << "the click did not end the recording";
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>({"ムービーを出力しました"}));
    EXPECT_FALSE(form1->TrayIcon1->Animating());
    EXPECT_FALSE(form1->Timer2->Enabled());
    EXPECT_EQ(ReadAvi(folder / "001.AVI").frames.size(), std::size_t(form1->FrameCounter()));
}
