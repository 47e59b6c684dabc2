#include "tests/toolbar/MenuTestKit.h"

#include "tests/support/RealPointer.h"
#include "tests/support/TestEnvironment.h"

TestMenu::TestMenu(const std::vector<std::string>& captions) : owner_(std::make_unique<TForm>(nullptr)) {
    menu_ = new TTBPopupMenu(owner_.get());
    auto* title = new TTBItem(menu_, "Title");
    title->SetEnabled(false);
    title->SetDefault(true);
    title->SetToolbarStyle(true);
    menu_->Add(title);
    menu_->Add(new TTBItem(menu_, "-"));
    for (std::string caption : captions) {
        const bool disabled = caption[0] == '!';
        if (disabled) caption.erase(0, 1);
        auto* item = new TTBItem(menu_, caption);
        item->SetEnabled(!disabled);
        item->OnClick = [this, caption](TObject&) { ran_.push_back(caption); };
        menu_->Add(item);
    }
}

TestMenu::~TestMenu() {
    // Keys a case left unused must not reach the next menu.
    PumpFor(std::chrono::milliseconds(0));
}

TTBItem* TestMenu::Item(const std::string& caption) {
    for (TMenuItem* item : menu_->Items()) {
        if (item->Caption() == caption) return static_cast<TTBItem*>(item);
    }
    return nullptr;
}

void QueueKey(WORD key, bool system) {
    ::PostThreadMessageA(::GetCurrentThreadId(), system ? WM_SYSKEYDOWN : WM_KEYDOWN, key, 1);
}

void QueueChar(char ch) { ::PostThreadMessageA(::GetCurrentThreadId(), WM_CHAR, static_cast<unsigned char>(ch), 1); }

WhileOpen::WhileOpen(std::function<void()> action)
    : action_(std::move(action)), window_([this](UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
          if (message == WM_APP) {
              action_();
              return 0;
          }
          return ::DefWindowProcA(window_.Handle(), message, wParam, lParam);
      }) {
    ::PostMessageA(window_.Handle(), WM_APP, 0, 0);
}

namespace {
void SendPointer(POINT at, DWORD buttons) {
    POINT before{};
    ::GetCursorPos(&before);
    SendPointerInput(at, buttons);
    // Until the system has taken the input: the button as sent, the pointer there. While an
    // open menu of the other thread holds the pointer, the system takes the input but keeps
    // the pointer where it was: waiting for it to move then only passed time.
    const bool down = (buttons & MOUSEEVENTF_LEFTDOWN) != 0;
    WaitUntil(
        [&] {
            const bool held = (::GetAsyncKeyState(VK_LBUTTON) & 0x8000) != 0;
            const bool placed = PointerAt(at) || PointerAt(before);
            return placed && (buttons == 0 || held == down);
        },
        std::chrono::seconds(2));
}
}  // namespace

void PointerTo(POINT at) { SendPointer(at, 0); }

void ClickAt(POINT at) {
    SendPointer(at, 0);
    SendPointer(at, MOUSEEVENTF_LEFTDOWN);
    SendPointer(at, MOUSEEVENTF_LEFTUP);
}
