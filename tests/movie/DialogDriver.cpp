#include "tests/movie/DialogDriver.h"

#include <algorithm>
#include <cstring>

#include "tests/support/TestEnvironment.h"

namespace {
struct Search {
    const std::string& title;
    HWND found;
};

BOOL CALLBACK MatchDialog(HWND window, LPARAM data) {
    auto& s = *reinterpret_cast<Search*>(data);
    if (!::IsWindowVisible(window) || ClassOf(window) != "#32770") return TRUE;
    if (!s.title.empty() && WindowText(window) != s.title) return TRUE;
    s.found = window;
    return FALSE;
}

BOOL CALLBACK AddChild(HWND window, LPARAM data) {
    reinterpret_cast<std::vector<ChildWindow>*>(data)->push_back(
        {window, ClassOf(window), WindowText(window), ::GetDlgCtrlID(window)});
    return TRUE;
}
}  // namespace

HWND FindDialog(const std::string& title) {
    Search search{title, nullptr};
    ::EnumThreadWindows(::GetCurrentThreadId(), MatchDialog, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::vector<ChildWindow> Children(HWND dialog) {
    std::vector<ChildWindow> children;
    ::EnumChildWindows(dialog, AddChild, reinterpret_cast<LPARAM>(&children));
    return children;
}

HWND FindChild(HWND dialog, const std::string& className, const std::string& text) {
    for (const ChildWindow& child : Children(dialog)) {
        if (::lstrcmpiA(child.className.c_str(), className.c_str()) == 0 && (text.empty() || child.text == text))
            return child.window;
    }
    return nullptr;
}

std::vector<std::string> ComboEntries(HWND combo) {
    std::vector<std::string> entries;
    const int count = static_cast<int>(::SendMessageA(combo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        std::string text(static_cast<std::size_t>(::SendMessageA(combo, CB_GETLBTEXTLEN, i, 0)) + 1, '\0');
        ::SendMessageA(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text.data()));
        text.resize(std::strlen(text.c_str()));
        entries.push_back(text);
    }
    return entries;
}

bool SelectComboEntry(HWND combo, const std::string& prefix) {
    const std::vector<std::string> entries = ComboEntries(combo);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (entries[i].compare(0, prefix.size(), prefix) != 0) continue;
        ::SendMessageA(combo, CB_SETCURSEL, i, 0);
        ::SendMessageA(::GetParent(combo), WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(combo), CBN_SELCHANGE),
                       reinterpret_cast<LPARAM>(combo));
        return true;
    }
    return false;
}

void PressButton(HWND dialog, int id) { PressButton(::GetDlgItem(dialog, id)); }

void PressButton(HWND button) { ::SendMessageA(button, BM_CLICK, 0, 0); }

DialogAnswerer::DialogAnswerer(std::string title, std::function<void(HWND)> answer)
    : title_(std::move(title)), answer_(std::move(answer)), timer_(std::make_unique<TTimer>(nullptr)) {
    timer_->SetInterval(20);
    timer_->SetOnTimer([this](TObject&) {
        std::erase_if(seen_, [](HWND window) { return !::IsWindow(window); });
        HWND dialog = FindDialog(title_);
        if (!dialog || std::find(seen_.begin(), seen_.end(), dialog) != seen_.end()) return;
        seen_.push_back(dialog);
        ++answered_;
        answer_(dialog);
    });
}
