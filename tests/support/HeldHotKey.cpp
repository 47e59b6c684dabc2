#include "tests/support/HeldHotKey.h"

#include <string>

HeldElsewhere::HeldElsewhere(UINT modifiers, UINT key) {
    const std::string suffix = std::to_string(::GetCurrentProcessId()) + "-" + std::to_string(key);
    ready_.reset(::CreateEventA(nullptr, TRUE, FALSE, ("PictavoHeld-" + suffix).c_str()));
    quit_.reset(::CreateEventA(nullptr, TRUE, FALSE, ("PictavoRelease-" + suffix).c_str()));
    char exe[MAX_PATH];
    ::GetModuleFileNameA(nullptr, exe, MAX_PATH);
    std::string path = exe;
    path = path.substr(0, path.rfind('\\') + 1) + "hotkey_holder.exe";
    std::string line = "\"" + path + "\" " + std::to_string(modifiers) + " " + std::to_string(key) + " PictavoHeld-" +
                       suffix + " PictavoRelease-" + suffix;
    STARTUPINFOA startup{sizeof startup};
    PROCESS_INFORMATION info{};
    if (!::CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) return;
    process_.reset(info.hProcess);
    UniqueKernelHandle thread(info.hThread);
    HANDLE waits[] = {ready_.get(), process_.get()};
    held_ = ::WaitForMultipleObjects(2, waits, FALSE, 20000) == WAIT_OBJECT_0;
}

HeldElsewhere::~HeldElsewhere() {
    ::SetEvent(quit_.get());
    if (process_) ::WaitForSingleObject(process_.get(), 10000);
}

bool FreeToRegister(UINT modifiers, UINT key) {
    HWND probe = ::CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    const bool free = ::RegisterHotKey(probe, 1, modifiers, key) != FALSE;
    ::DestroyWindow(probe);
    return free;
}
