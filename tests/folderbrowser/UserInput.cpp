#include "tests/folderbrowser/UserInput.h"

#include <commctrl.h>

#include <chrono>

#include "tests/support/TestEnvironment.h"

namespace {
using Clock = std::chrono::steady_clock;

std::string Coordinates(POINT screen) { return std::to_string(screen.x) + " " + std::to_string(screen.y); }

POINT Middle(const RECT& r) { return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

struct WindowSearch {
    const char* className;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM data) {
    auto& search = *reinterpret_cast<WindowSearch*>(data);
    DWORD process = 0;
    ::GetWindowThreadProcessId(window, &process);
    if (process != ::GetCurrentProcessId() || !::IsWindowVisible(window) || ClassOf(window) != search.className)
        return TRUE;
    search.found = window;
    return FALSE;
}

// A visible window of this process of the class, or null.
HWND FindOwnWindow(const char* className) {
    WindowSearch search{className, nullptr};
    ::EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND ButtonOf(HWND dialog, const std::string& caption) {
    for (HWND child = ::GetWindow(dialog, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (ClassOf(child) == "Button" && WindowText(child) == caption) return child;
    }
    return nullptr;
}

template <typename Found>
Found WaitFor(const std::atomic<bool>& stop, const std::function<Found()>& find) {
    const auto end = Clock::now() + std::chrono::seconds(10);
    while (!stop && Clock::now() < end) {
        if (Found found = find()) return found;
        ::Sleep(20);
    }
    return Found{};
}
}  // namespace

std::string ScreenAt(HWND window, POINT client) {
    ::ClientToScreen(window, &client);
    return Coordinates(client);
}

POINT RowPoint(HWND list, int row) {
    RECT label{LVIR_LABEL};
    ::SendMessageA(list, LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&label));
    return POINT{label.left + 12, (label.top + label.bottom) / 2};
}

POINT NodePoint(HWND tree, HTREEITEM item) {
    RECT label{};
    TreeView_GetItemRect(tree, item, &label, TRUE);
    return Middle(label);
}

bool XdoNow(const std::string& arguments) { return RunHostCommand("xdotool " + arguments); }

bool RunInput(const std::function<bool()>& steps) {
    std::atomic<bool> done{false};
    bool ok = false;
    std::thread input([&] {
        ok = steps();
        if (!ok) XdoNow("mouseup 1 keyup ctrl");
        done = true;
    });
    PumpUntil([&] { return done.load(); }, std::chrono::seconds(60));
    input.join();
    return ok;
}

bool Xdo(const std::string& arguments) {
    return RunInput([&] { return XdoNow(arguments); });
}

bool AwaitFlag(const std::function<bool()>& condition) {
    const auto end = Clock::now() + std::chrono::seconds(15);
    while (!condition()) {
        if (Clock::now() >= end) return false;
        ::Sleep(10);
    }
    return true;
}

MenuChooser::MenuChooser(std::string caption, bool confirm)
    : caption_(std::move(caption)), confirm_(confirm), thread_([this] { Run(); }) {}

MenuChooser::~MenuChooser() {
    stop_ = true;
    thread_.join();
}

std::vector<std::string> MenuChooser::Captions() const { return done_ ? captions_ : std::vector<std::string>(); }

void MenuChooser::Run() {
    struct Finish {
        std::atomic<bool>& done;
        ~Finish() { done = true; }
    } finish{done_};
    HWND menuWindow = WaitFor<HWND>(stop_, [] { return FindOwnWindow("#32768"); });
    if (!menuWindow) return;
    // The menu is this program's: its items can be read here while it shows.
    auto menu = reinterpret_cast<HMENU>(::SendMessageA(menuWindow, MN_GETHMENU, 0, 0));
    const int count = ::GetMenuItemCount(menu);
    int chosen = -1;
    for (int i = 0; i < count; ++i) {
        char text[256] = {};
        ::GetMenuStringA(menu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
        captions_.push_back(::GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION) & MF_SEPARATOR ? "-" : text);
        if (chosen < 0 && !caption_.empty() && captions_.back().rfind(caption_, 0) == 0) chosen = i;
    }
    if (chosen < 0) {
        XdoNow("key Escape");
        succeeded_ = caption_.empty();
        return;
    }
    RECT item{};
    ::GetMenuItemRect(nullptr, menu, static_cast<UINT>(chosen), &item);
    if (!XdoNow("mousemove " + Coordinates(Middle(item)) + " sleep 0.1 click 1")) return;
    if (!confirm_) {
        succeeded_ = true;
        return;
    }
    HWND yes = WaitFor<HWND>(stop_, [] {
        HWND box = FindOwnWindow("#32770");
        return box ? ButtonOf(box, "はい(&Y)") : nullptr;
    });
    if (!yes) return;
    RECT button{};
    ::GetWindowRect(yes, &button);
    succeeded_ = XdoNow("mousemove " + Coordinates(Middle(button)) + " sleep 0.1 click 1");
}
