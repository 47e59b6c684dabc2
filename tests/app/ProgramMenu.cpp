#include "tests/app/ProgramMenu.h"

#include <algorithm>

#include "app/TForm1.h"
#include "tests/support/ScreenSearch.h"
#include "tests/support/TestEnvironment.h"
#include "tests/toolbar/MenuTestKit.h"
#include "toolkit/TApplication.h"

using std::chrono::seconds;

namespace {
bool IsMenuWindow(HWND window) {
    const LONG style = ::GetWindowLongA(window, GWL_EXSTYLE);
    return (style & WS_EX_TOPMOST) && (style & WS_EX_TOOLWINDOW);
}
}  // namespace

ExpectedMenu DrawMenu(const std::vector<std::string>& enabled) {
    ExpectedMenu expected;
    // Gone again before the program starts: its tray icon must not stand beside the program's.
    auto form1 = std::make_unique<TForm1>(&TApplication::Instance());
    TTBPopupMenu& menu = *form1->TBPopupMenu1;
    for (TMenuItem* item : menu.Items()) {
        if (item != form1->TB_PopUp_Title && !item->IsSeparator())
            item->SetEnabled(std::find(enabled.begin(), enabled.end(), item->Caption()) != enabled.end());
    }
    WhileOpen draw([&] {
        TTBPopupWindow* window = menu.PopupWindow();
        RECT client, outer;
        ::GetClientRect(window->Handle(), &client);
        ::GetWindowRect(window->Handle(), &outer);
        expected.picture = std::make_unique<PixelCanvas>(client.right, client.bottom);
        window->PaintTo(expected.picture->dc());
        for (size_t i = 0; i < window->Items().size(); ++i) {
            RECT r = window->ItemScreenRect(i);
            ::OffsetRect(&r, -outer.left, -outer.top);
            expected.items.push_back(r);
        }
        menu.CloseUp();
    });
    menu.Popup(300, 200);
    ::GdiFlush();
    form1.reset();
    Form1 = nullptr;
    return expected;
}

HWND WaitForProgramMenu(DWORD processId) {
    HWND found = nullptr;
    PumpUntil(
        [&] {
            for (HWND window : VisibleWindowsOf(processId)) {
                if (IsMenuWindow(window)) {
                    found = window;
                    break;
                }
            }
            return found != nullptr;
        },
        seconds(10));
    return found;
}

POINT Centre(const RECT& menu, const RECT& item) {
    return POINT{menu.left + (item.left + item.right) / 2, menu.top + (item.top + item.bottom) / 2};
}

std::string Click(POINT at, int button) {
    return "xdotool mousemove " + std::to_string(at.x) + " " + std::to_string(at.y) + " sleep 0.2 click " +
           std::to_string(button) + " sleep 0.1 mousemove 400 300";
}

HWND OpenTrayMenu(DWORD processId) {
    RECT icon{};
    if (!PumpUntil([&] { return (icon = FindColourOnScreen("#1A4783")).right > 0; }, seconds(20))) return nullptr;
    const POINT onIcon{(icon.left + icon.right) / 2, (icon.top + icon.bottom) / 2};
    if (!RunHostCommand(Click(onIcon, 3))) return nullptr;
    return WaitForProgramMenu(processId);
}

bool ChooseFromTray(DWORD processId, const ExpectedMenu& menu, size_t item) {
    HWND shown = OpenTrayMenu(processId);
    RECT where{};
    return shown && ::GetWindowRect(shown, &where) && RunHostCommand(Click(Centre(where, menu.items[item])));
}
