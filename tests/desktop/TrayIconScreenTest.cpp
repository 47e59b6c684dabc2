// The icon as the user meets it: drawn in the Wine desktop's notification area and clicked
// with the real pointer.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "desktop/TCallbackWindow.h"
#include "desktop/TTrayIcon.h"
#include "tests/desktop/ShellRecorder.h"
#include "tests/support/TestEnvironment.h"
#include "toolkit/TForm.h"

namespace {
class RecordingMenu : public TPopupMenu {
public:
    using TPopupMenu::TPopupMenu;
    void Popup(int x, int y) override { opened.push_back({x, y}); }
    std::vector<POINT> opened;
};

// Where the picture of the given colour is on the screen (its bounding box), found in a
// screenshot of the X display. Empty when the colour is nowhere.
RECT FindOnScreen(const std::string& colour) {
    TempFolder folder;
    const std::string shot = UnixPath(folder / "shot.png");
    RunHostCommand("import -window root '" + shot + "'", std::chrono::seconds(30));
    if (const char* keep = std::getenv("PICTAVO_KEEP_SHOTS")) RunHostCommand("cp '" + shot + "' '" + keep + "'");
    // Everything but the colour black, the colour white; %@ is the box of what is not black.
    std::string box = HostCommandOutput("convert '" + shot + "' -fill black +opaque '" + colour +
                                        "' -fill white -opaque '" + colour + "' -format '%@' info:");
    int w = 0, h = 0, x = 0, y = 0;
    if (std::sscanf(box.c_str(), "%dx%d+%d+%d", &w, &h, &x, &y) != 4 || w <= 1) return RECT{};
    return RECT{x, y, x + w, y + h};
}

bool ClickDecided() { return TTrayIcon::CallbackWindow()->PendingSingleClicks() == 0; }
}  // namespace

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
    ASSERT_TRUE(PumpUntil([&] { return (where = FindOnScreen("#FF00FF")).right > 0; }, std::chrono::seconds(20)))
        << "the icon is not on the screen";
    const int screenHeight = ::GetSystemMetrics(SM_CYSCREEN);
    const int screenWidth = ::GetSystemMetrics(SM_CXSCREEN);
    EXPECT_GE(where.top, screenHeight - 40) << "in the taskbar at the bottom";
    EXPECT_GE(where.left, screenWidth - 100) << "in the notification area at the right";
    const int x = (where.left + where.right) / 2;
    const int y = (where.top + where.bottom) / 2;
    const std::string at = "xdotool mousemove " + std::to_string(x) + " " + std::to_string(y) + " sleep 0.2";

    std::vector<std::string> events;
    icon->OnMouseDown = [&](TObject&, TMouseButton, TShiftState, int px, int py) {
        events.push_back("down at " + std::to_string(px) + "," + std::to_string(py));
    };
    icon->OnClick = [&](TObject&) { events.push_back("click"); };
    icon->OnDblClick = [&](TObject&) { events.push_back("dblclick"); };

    // A single click: the press at once, the click after the double-click time.
    ASSERT_TRUE(RunHostCommand(at + " click 1"));
    ASSERT_TRUE(PumpUntil([&] { return events.size() >= 2 && ClickDecided(); }));
    EXPECT_EQ(events, (std::vector<std::string>{"down at " + std::to_string(x) + "," + std::to_string(y), "click"}));

    // A double click: no click. Far enough from the click before not to pair with it.
    PumpFor(std::chrono::milliseconds(::GetDoubleClickTime() + 300));
    events.clear();
    ASSERT_TRUE(RunHostCommand(at + " click --repeat 2 --delay 60 1"));
    ASSERT_TRUE(PumpUntil([&] { return events.size() >= 2 && ClickDecided(); }));
    PumpFor(std::chrono::milliseconds(100));
    EXPECT_EQ(events.back(), "dblclick");
    EXPECT_EQ(std::count(events.begin(), events.end(), "click"), 0);

    // With a menu, a left press opens it where the pointer is.
    auto* menu = new RecordingMenu(&owner);
    icon->SetLBPopupMenu(menu);
    icon->OnClick = nullptr;
    ASSERT_TRUE(RunHostCommand(at + " click 1"));
    ASSERT_TRUE(PumpUntil([&] { return !menu->opened.empty(); }));
    EXPECT_EQ(menu->opened[0].x, x);
    EXPECT_EQ(menu->opened[0].y, y);
}
