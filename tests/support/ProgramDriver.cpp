#include "tests/support/ProgramDriver.h"

namespace {
// The built program, from the build tree (a Unix path, reached through drive Z:).
std::string BuiltProgram() {
    std::string path = "Z:" PICTAVO_EXE;
    for (char& c : path) {
        if (c == '/') c = '\\';
    }
    return path;
}
}  // namespace

ProgramDriver::ProgramDriver() : exePath_(folder_ / "Pictavo.exe") {
    ::CopyFileA(BuiltProgram().c_str(), exePath_.c_str(), FALSE);
}

ProgramDriver::ProgramDriver(std::string installedExe) : exePath_(std::move(installedExe)) {}

ProgramDriver::~ProgramDriver() {
    if (Running()) {
        ::TerminateProcess(process_.get(), 1);
        WaitForExit(std::chrono::seconds(5));
    }
}

void ProgramDriver::WriteSetting(const std::string& key, const std::string& value) const {
    ::WritePrivateProfileStringA("Pictavo", key.c_str(), value.c_str(), SettingsPath().c_str());
}

bool ProgramDriver::Start() {
    STARTUPINFOA startup{sizeof startup};
    PROCESS_INFORMATION info{};
    std::string commandLine = '"' + exePath_ + '"';
    // Started from its own folder, as a double-click in Explorer starts it.
    const std::string folder = exePath_.substr(0, exePath_.rfind('\\'));
    if (!::CreateProcessA(exePath_.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                          &startup, &info)) {
        return false;
    }
    UniqueKernelHandle thread(info.hThread);
    process_.reset(info.hProcess);
    processId_ = info.dwProcessId;
    return true;
}

HWND ProgramDriver::StartToSettings() {
    return Start() ? WaitForWindow("Pictavo 設定画面", std::chrono::seconds(20)) : nullptr;
}

HWND ProgramDriver::StartToSettings(const std::string& saveFolder) {
    WriteSetting("Folder", saveFolder);
    return StartToSettings();
}

bool ProgramDriver::Running() const { return process_ && ::WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT; }

bool ProgramDriver::WaitForExit(std::chrono::milliseconds timeout) {
    return !process_ || ::WaitForSingleObject(process_.get(), static_cast<DWORD>(timeout.count())) == WAIT_OBJECT_0;
}

namespace {
struct WindowSearch {
    std::string className, text;
    std::vector<HWND> found;
};

BOOL CALLBACK FindMatchingChild(HWND window, LPARAM lParam) {
    auto* search = reinterpret_cast<WindowSearch*>(lParam);
    if ((search->className.empty() || ClassOf(window) == search->className) &&
        (search->text.empty() || WindowText(window) == search->text)) {
        search->found.push_back(window);
        return FALSE;
    }
    return TRUE;
}
}  // namespace

std::vector<HWND> ProgramDriver::TopLevelWindows() const { return VisibleWindowsOf(processId_); }

HWND ProgramDriver::WaitForWindow(const std::string& caption, std::chrono::milliseconds timeout) {
    HWND found = nullptr;
    PumpUntil(
        [&] {
            for (HWND window : TopLevelWindows()) {
                if (WindowText(window) == caption) found = window;
            }
            return found != nullptr;
        },
        timeout);
    return found;
}

HWND ProgramDriver::FindControl(HWND parent, const std::string& className, const std::string& text) {
    WindowSearch search;
    search.className = className;
    search.text = text;
    ::EnumChildWindows(parent, FindMatchingChild, reinterpret_cast<LPARAM>(&search));
    return search.found.empty() ? nullptr : search.found.front();
}

void ProgramDriver::PressButton(HWND button) {
    if (ClassOf(button) == "Button") {
        ::PostMessageA(button, BM_CLICK, 0, 0);
        return;
    }
    ::PostMessageA(button, WM_KEYDOWN, VK_RETURN, 1);
    ::PostMessageA(button, WM_KEYUP, VK_RETURN, 0xC0000001);
}

HWND ProgramDriver::OpenMenu() const {
    for (HWND window : TopLevelWindows()) {
        const auto exStyle = static_cast<DWORD>(::GetWindowLongA(window, GWL_EXSTYLE));
        if ((exStyle & WS_EX_TOOLWINDOW) && (exStyle & WS_EX_TOPMOST)) return window;
    }
    return nullptr;
}

std::vector<HWND> ProgramDriver::OpenBoxes() const {
    std::vector<HWND> boxes;
    for (HWND window : TopLevelWindows()) {
        if (ClassOf(window) == "#32770") boxes.push_back(window);
    }
    return boxes;
}

bool ProgramDriver::AnswerBox(ShownBox& box, int button, std::chrono::milliseconds timeout) {
    HWND window = nullptr;
    if (!PumpUntil(
            [&] {
                const std::vector<HWND> boxes = OpenBoxes();
                window = boxes.empty() ? nullptr : boxes.front();
                return window != nullptr;
            },
            timeout)) {
        return false;
    }
    box.caption = WindowText(window);
    char text[1024] = {};
    ::GetDlgItemTextA(window, 0xFFFF, text, sizeof text);
    box.text = text;
    HWND control = ::GetDlgItem(window, button);
    ::PostMessageA(window, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), reinterpret_cast<LPARAM>(control));
    // Gone before the next call looks, so that it sees the next box.
    PumpUntil([&] { return !::IsWindow(window); }, timeout);
    return true;
}

bool ProgramDriver::ConfirmSettings(HWND settings, ShownBox* told) {
    HWND start = FindControl(settings, "", "設定完了（撮影モードへ）");
    if (!start) return false;
    PressButton(start);
    ShownBox box;
    if (!AnswerBox(box, IDOK)) return false;
    if (told) *told = box;
    return PumpUntil([&] { return !::IsWindowVisible(settings); });
}

bool ProgramDriver::PressKeys(const std::string& keys) {
    return RunHostCommand(
        "w=$(xdotool search --name 'Wine desktop' | head -1); "
        "[ -n \"$w\" ] && xdotool windowfocus --sync \"$w\"; xdotool key " +
        keys);
}

bool ProgramDriver::PressKeysUntil(const std::string& keys, const std::function<bool()>& done) {
    return PumpUntil(
        [&] {
            PressKeys(keys);
            return PumpUntil(done, std::chrono::seconds(3));
        },
        std::chrono::seconds(30));
}
