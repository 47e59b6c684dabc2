#include "tests/app/ForeignWindow.h"

#include "tests/support/TestEnvironment.h"

std::string ForeignWindow::Document(COLORREF colour, RECT bounds) {
    char exe[MAX_PATH];
    ::GetModuleFileNameA(nullptr, exe, MAX_PATH);
    std::string path = exe;
    path = path.substr(0, path.rfind('\\') + 1) + "document_window.exe";
    return "\"" + path + "\" " + std::to_string(colour) + " " + std::to_string(bounds.left) + " " +
           std::to_string(bounds.top) + " " + std::to_string(bounds.right - bounds.left) + " " +
           std::to_string(bounds.bottom - bounds.top);
}

ForeignWindow::ForeignWindow(const std::string& commandLine) {
    std::string line = commandLine;
    STARTUPINFOA startup{sizeof startup};
    PROCESS_INFORMATION info{};
    if (!::CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) return;
    process_.reset(info.hProcess);
    UniqueKernelHandle thread(info.hThread);
    PumpUntil(
        [&] {
            const std::vector<HWND> windows = VisibleWindowsOf(info.dwProcessId);
            window_ = windows.empty() ? nullptr : windows.front();
            return window_ != nullptr;
        },
        std::chrono::seconds(20));
    // The window is visible before its making has activated it: on a busy machine that
    // activation could come after the test's click into another window. Once the program
    // waits for input, it is done.
    ::WaitForInputIdle(process_.get(), 20000);
}

ForeignWindow::~ForeignWindow() {
    if (process_ && ::WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT) {
        ::TerminateProcess(process_.get(), 1);
        ::WaitForSingleObject(process_.get(), 5000);
    }
}

RECT ForeignWindow::OuterRect() const {
    RECT rect{};
    ::GetWindowRect(window_, &rect);
    return rect;
}

POINT ForeignWindow::Centre() const {
    const RECT rect = OuterRect();
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

void ForeignWindow::Close() {
    ::PostMessageA(window_, WM_CLOSE, 0, 0);
    if (process_) ::WaitForSingleObject(process_.get(), 10000);
}
