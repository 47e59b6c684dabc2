// The icon as the user meets it: drawn in the Wine desktop's notification area and clicked
// with the real pointer.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "desktop/TCallbackWindow.h"
#include "desktop/TTrayIcon.h"
#include "tests/desktop/TrayTestSupport.h"
#include "tests/support/ScreenSearch.h"
#include "tests/support/TestEnvironment.h"
#include "toolkit/TForm.h"

TEST(TrayIconScreen, IconAppearsInTheNotificationAreaAndAnswersTheRealPointer) {
    TForm owner(nullptr);
    auto* icon = new TTrayIcon(&owner);
    TIcon picture;
    picture.SetHandle(MakeSolidIcon(RGB(255, 0, 255)));
    icon->SetIcon(&picture);
    icon->SetTipHelp("Pictavo");
    icon->SetVisible(true);
    ASSERT_TRUE(icon->Registered());

    RECT where{};
    ASSERT_TRUE(PumpUntil([&] { return (where = FindColourOnScreen("#FF00FF")).right > 0; }, std::chrono::seconds(20)))
        << "the icon is not on the screen";
    const int screenHeight = ::GetSystemMetrics(SM_CYSCREEN);
    const int screenWidth = ::GetSystemMetrics(SM_CXSCREEN);
    EXPECT_GE(where.top, screenHeight - 40) << "in the taskbar at the bottom";
    EXPECT_GE(where.left, screenWidth - 100) << "in the notification area at the right";
    const int x = (where.left + where.right) / 2;
    const int y = (where.top + where.bottom) / 2;
    const std::string click = ClickAt(x, y);

    std::vector<std::string> events;
    icon->OnMouseDown = [&](TObject&, TMouseButton, TShiftState, int px, int py) {
        events.push_back("down at " + std::to_string(px) + "," + std::to_string(py));
    };
    icon->OnClick = [&](TObject&) { events.push_back("click"); };
    icon->OnDblClick = [&](TObject&) { events.push_back("dblclick"); };

    // A single click: the press at once, the click after the double-click time.
    ASSERT_TRUE(RunHostCommand(click));
    ASSERT_TRUE(PumpUntil([&] { return events.size() >= 2 && ClickDecided(); }));
    EXPECT_EQ(events, (std::vector<std::string>{"down at " + std::to_string(x) + "," + std::to_string(y), "click"}));

    // A double click: no click. The click before was decided only once the double-click
    // time had passed since its release, so the system cannot pair the two.
    events.clear();
    ASSERT_TRUE(RunHostCommand(click + " sleep 0.06 click 1"));
    ASSERT_TRUE(PumpUntil([&] { return events.size() >= 2 && ClickDecided(); }));
    PumpFor(std::chrono::milliseconds(100));
    EXPECT_EQ(events.back(), "dblclick");
    EXPECT_EQ(std::count(events.begin(), events.end(), "click"), 0);

    // With a menu, a left press opens it where the pointer is.
    auto* menu = new RecordingMenu(&owner);
    icon->SetLBPopupMenu(menu);
    icon->OnClick = nullptr;
    ASSERT_TRUE(RunHostCommand(click));
    ASSERT_TRUE(PumpUntil([&] { return !menu->opened.empty(); }));
    EXPECT_EQ(menu->opened[0].x, x);
    EXPECT_EQ(menu->opened[0].y, y);
}
