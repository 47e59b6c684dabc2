// How long the tray menu takes from the request to its window fully painted, beside the
// system's own menu (TrackPopupMenu) with the same thirteen items, in the same run, menu
// animation off. The end of painting is seen from inside the menu's own loop: a marker
// message posted once the menu window has had its paint comes back only after the paint
// is done.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/BenchTiming.h"
#include "toolbar/TTBItem.h"
#include "toolbar/TTBPopupMenu.h"
#include "toolbar/TTBPopupWindow.h"
#include "toolkit/TApplication.h"
#include "toolkit/TForm.h"
#include "toolkit/UniqueHandle.h"

namespace {
constexpr UINT kMarker = WM_APP + 77;

struct Item {
    const char* caption;
    bool enabled;
};
// The tray menu in still mode: the captures enabled, the movie commands greyed.
const Item kItems[] = {{"Pictavo", false},
                       {"-", true},
                       {"画面全体をキャプチャ", true},
                       {"アクティブなウインドウだけをキャプチャ", true},
                       {"-", true},
                       {"動画撮影開始", false},
                       {"動画撮影終了", false},
                       {"-", true},
                       {"設定", true},
                       {"-", true},
                       {"バージョン情報", true},
                       {"-", true},
                       {"終了", true}};

// The measurement of one opening: which window is the menu, when it was asked for and when
// its painting was seen done.
struct Opening {
    bool (*isMenu)(HWND) = nullptr;
    void (*close)() = nullptr;
    double requested = 0;
    double painted = 0;
    bool markerAfterPaint = false;
} opening;

BOOL CALLBACK MatchMenu(HWND window, LPARAM lParam) {
    if (::IsWindowVisible(window) && opening.isMenu(window)) {
        *reinterpret_cast<HWND*>(lParam) = window;
        return FALSE;
    }
    return TRUE;
}

HWND FindMenuWindow() {
    HWND found = nullptr;
    ::EnumThreadWindows(::GetCurrentThreadId(), MatchMenu, reinterpret_cast<LPARAM>(&found));
    return found;
}

bool Painted(HWND menu) {
    RECT dirty;
    return menu && !::GetUpdateRect(menu, &dirty, FALSE);
}

LRESULT CALLBACK WatchLoop(int code, WPARAM wParam, LPARAM lParam) {
    const MSG& message = *reinterpret_cast<MSG*>(lParam);
    if (code == HC_ACTION && wParam == PM_REMOVE && opening.painted == 0) {
        if (message.message == kMarker) {
            HWND menu = FindMenuWindow();
            if (Painted(menu)) {
                opening.painted = Now();
                opening.close();
            } else {
                opening.markerAfterPaint = true;
            }
        } else if (message.message == WM_PAINT && opening.markerAfterPaint && opening.isMenu(message.hwnd)) {
            // Comes back once this paint has been handled.
            opening.markerAfterPaint = false;
            ::PostThreadMessageA(::GetCurrentThreadId(), kMarker, 0, 0);
        }
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

std::string ClassOf(HWND window) {
    char name[64] = {};
    ::GetClassNameA(window, name, sizeof name);
    return name;
}

TTBPopupMenu* skinned = nullptr;

double OpenOnce(void (*open)(HWND owner), HWND owner) {
    opening.requested = Now();
    opening.painted = 0;
    opening.markerAfterPaint = false;
    ::PostThreadMessageA(::GetCurrentThreadId(), kMarker, 0, 0);
    open(owner);
    // Nothing of this opening may remain for the next.
    MSG message;
    while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageA(&message);
    return opening.painted - opening.requested;
}

void OpenSystemMenu(HWND owner) {
    UniqueHmenu menu(::CreatePopupMenu());
    for (size_t i = 0; i < std::size(kItems); ++i) {
        const Item& item = kItems[i];
        if (std::string(item.caption) == "-") {
            ::AppendMenuA(menu.get(), MF_SEPARATOR, 0, nullptr);
        } else {
            ::AppendMenuA(menu.get(), MF_STRING | (item.enabled ? MF_ENABLED : MF_GRAYED), i + 1, item.caption);
        }
    }
    ::SetMenuDefaultItem(menu.get(), 1, FALSE);
    ::TrackPopupMenuEx(menu.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON, 700, 500, owner, nullptr);
}

void OpenSkinnedMenu(HWND) { skinned->Popup(700, 500); }
}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::atoi(argv[1]) : 15;
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controls);
    TApplication application;
    application.SetTitle("Pictavo");

    BOOL animation = FALSE;
    ::SystemParametersInfoA(SPI_GETMENUANIMATION, 0, &animation, 0);
    ::SystemParametersInfoA(SPI_SETMENUANIMATION, 0, nullptr, 0);

    TForm owner(&application);
    owner.SetBounds(0, 0, 1, 1);
    owner.Show();
    ::SetForegroundWindow(owner.Handle());
    skinned = new TTBPopupMenu(&owner);
    for (const Item& item : kItems) {
        auto* menuItem = new TTBItem(skinned, item.caption);
        menuItem->SetEnabled(item.enabled);
        skinned->Add(menuItem);
    }
    auto* title = static_cast<TTBItem*>(skinned->Items().front());
    title->SetDefault(true);
    title->SetToolbarStyle(true);

    UniqueHhook hook(::SetWindowsHookExA(WH_GETMESSAGE, WatchLoop, nullptr, ::GetCurrentThreadId()));
    std::vector<double> system, ours;
    // One of each first, unmeasured: fonts and window classes are made on first use.
    for (int i = -1; i < runs; ++i) {
        opening.isMenu = [](HWND window) { return ClassOf(window) == "#32768"; };
        opening.close = [] { ::EndMenu(); };
        const double systemTime = OpenOnce(OpenSystemMenu, owner.Handle());
        opening.isMenu = [](HWND window) {
            return dynamic_cast<TTBPopupWindow*>(TWinControl::FromHandle(window)) != nullptr;
        };
        opening.close = [] { skinned->CloseUp(); };
        const double ourTime = OpenOnce(OpenSkinnedMenu, owner.Handle());
        if (i < 0) continue;
        system.push_back(systemTime);
        ours.push_back(ourTime);
    }
    ::SystemParametersInfoA(SPI_SETMENUANIMATION, 0, reinterpret_cast<void*>(static_cast<INT_PTR>(animation)), 0);

    const double systemMedian = Median(system), ourMedian = Median(ours);
    std::printf("menu: request to fully painted, 13 items, animation off, median of %d\n", runs);
    std::printf("  system menu (TrackPopupMenu)  %7.2f ms\n", systemMedian);
    std::printf("  skinned tray menu             %7.2f ms\n", ourMedian);
    std::printf("  ratio                         %7.2f (limit 1.50)\n", ourMedian / systemMedian);
    return ourMedian <= 1.5 * systemMedian ? 0 : 1;
}
