#include "tests/support/TestEnvironment.h"

#include <shellapi.h>
#include <shlobj.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <mutex>
#include <set>
#include <sstream>
#include <thread>

#include "toolkit/PumpMessages.h"
#include "toolkit/UniqueHandle.h"

namespace {
std::string NewTempPath() {
    char base[MAX_PATH];
    ::GetTempPathA(MAX_PATH, base);
    static unsigned counter = 0;
    char path[MAX_PATH];
    std::snprintf(path, sizeof path, "%spictavo-test-%lu-%u", base, ::GetCurrentProcessId(), ++counter);
    return path;
}
}  // namespace

TempFolder::TempFolder() : path_(NewTempPath()) {
    DeleteTree(path_);
    ::CreateDirectoryA(path_.c_str(), nullptr);
}

TempFolder::~TempFolder() { DeleteTree(path_); }

std::string DesktopDirectory() {
    char path[MAX_PATH] = {};
    ::SHGetSpecialFolderPathA(nullptr, path, CSIDL_DESKTOPDIRECTORY, FALSE);
    return path;
}

DesktopFolder::DesktopFolder(const std::string& name) : path_(DesktopDirectory() + "\\" + name) {
    DeleteTree(path_);
    ::CreateDirectoryA(path_.c_str(), nullptr);
}

DesktopFolder::~DesktopFolder() { DeleteTree(path_); }

std::string DesktopFolder::MakeFolder(const std::string& relative) const {
    std::string path = path_;
    size_t start = 0;
    while (start <= relative.size()) {
        size_t end = relative.find('\\', start);
        if (end == std::string::npos) end = relative.size();
        path += '\\';
        path.append(relative, start, end - start);
        ::CreateDirectoryA(path.c_str(), nullptr);
        start = end + 1;
    }
    return path;
}

namespace {
struct ProcessWindows {
    DWORD processId;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectProcessWindow(HWND window, LPARAM lParam) {
    auto* search = reinterpret_cast<ProcessWindows*>(lParam);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    if (owner == search->processId && ::IsWindowVisible(window)) search->found.push_back(window);
    return TRUE;
}
}  // namespace

std::vector<HWND> VisibleWindowsOf(DWORD processId) {
    ProcessWindows search{processId, {}};
    ::EnumWindows(CollectProcessWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void DeleteTree(const std::string& path) {
    if (!PathExists(path)) return;
    // Attributes first: read-only and hidden entries must go as well.
    WIN32_FIND_DATAA data;
    UniqueFindHandle find(::FindFirstFileA((path + "\\*").c_str(), &data));
    if (find) {
        do {
            std::string name = data.cFileName;
            if (name == "." || name == "..") continue;
            std::string child = path + "\\" + name;
            ::SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                DeleteTree(child);
            } else {
                ::DeleteFileA(child.c_str());
            }
        } while (::FindNextFileA(find.get(), &data));
    }
    ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (!::RemoveDirectoryA(path.c_str())) ::DeleteFileA(path.c_str());
}

bool PumpUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
    auto end = std::chrono::steady_clock::now() + timeout;
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= end) return false;
        PumpMessages();
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
    return true;
}

void PumpFor(std::chrono::milliseconds duration) {
    PumpUntil([] { return false; }, duration);
}

bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= end) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

const char* TestWindowClass(const char* name, WNDPROC procedure, HBRUSH background) {
    static std::mutex lock;
    static std::set<std::string> registered;
    std::lock_guard guard(lock);
    if (registered.insert(name).second) {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = procedure;
        windowClass.hInstance = ::GetModuleHandleA(nullptr);
        windowClass.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
        windowClass.hbrBackground = background;
        windowClass.lpszClassName = name;
        ::RegisterClassA(&windowClass);
    }
    return name;
}

std::string ReadFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

void WriteFileBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

bool PathExists(const std::string& path) { return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::vector<std::string> FileNamesIn(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA data;
    UniqueFindHandle find(::FindFirstFileA((folder + "\\*").c_str(), &data));
    if (!find) return names;
    do {
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(data.cFileName);
    } while (::FindNextFileA(find.get(), &data));
    return names;
}

std::string UnixPath(const std::string& windowsPath) {
    // Wine's converter takes the path in UTF-16.
    using Converter = char*(CDECL*)(LPCWSTR);
    static auto convert = reinterpret_cast<Converter>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    if (!convert) return windowsPath;
    int length = ::MultiByteToWideChar(CP_ACP, 0, windowsPath.c_str(), -1, nullptr, 0);
    std::wstring wide(static_cast<size_t>(length), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, windowsPath.c_str(), -1, wide.data(), length);
    char* unix = convert(wide.c_str());
    if (!unix) return windowsPath;
    std::string result = unix;
    ::HeapFree(::GetProcessHeap(), 0, unix);
    return result;
}

namespace {
// Wine starts host programs but gives no handle to wait on, so the command writes its
// output and then a marker file, which is waited for.
bool RunThroughShell(const std::string& commandLine, std::chrono::milliseconds timeout, std::string* output) {
    TempFolder folder;
    const std::string script = folder / "run.sh";
    WriteFileBytes(script, "#!/bin/sh\n" + commandLine + " >'" + UnixPath(folder / "out") + "' 2>&1\necho $? >'" +
                               UnixPath(folder / "rc.tmp") + "'\nmv '" + UnixPath(folder / "rc.tmp") + "' '" +
                               UnixPath(folder / "rc") + "'\n");
    std::string line = "/bin/sh " + UnixPath(script);
    STARTUPINFOA startup{sizeof startup};
    PROCESS_INFORMATION process{};
    if (!::CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return false;
    UniqueKernelHandle processHandle(process.hProcess), threadHandle(process.hThread);
    if (!WaitUntil([&] { return PathExists(folder / "rc"); }, timeout)) return false;
    if (output) *output = ReadFileBytes(folder / "out");
    return std::atoi(ReadFileBytes(folder / "rc").c_str()) == 0;
}
}  // namespace

bool RunHostCommand(const std::string& commandLine, std::chrono::milliseconds timeout) {
    return RunThroughShell(commandLine, timeout, nullptr);
}

bool SendKeys(const std::vector<WORD>& keys) {
    std::vector<INPUT> input;
    for (WORD key : keys) input.push_back({INPUT_KEYBOARD, {.ki = {key, 0, 0, 0, 0}}});
    for (auto it = keys.rbegin(); it != keys.rend(); ++it)
        input.push_back({INPUT_KEYBOARD, {.ki = {*it, 0, KEYEVENTF_KEYUP, 0, 0}}});
    return ::SendInput(static_cast<UINT>(input.size()), input.data(), sizeof(INPUT)) == input.size();
}

std::string HostCommandOutput(const std::string& commandLine) {
    std::string output;
    RunThroughShell(commandLine, std::chrono::seconds(30), &output);
    return output;
}

std::string WindowText(HWND window) {
    char text[1024] = {};
    ::GetWindowTextA(window, text, sizeof text);
    return text;
}

std::string ClassOf(HWND window) {
    char name[256] = {};
    ::GetClassNameA(window, name, sizeof name);
    return name;
}

int RequestedDepth() {
    const char* depth = std::getenv("PICTAVO_DEPTH");
    return depth ? std::atoi(depth) : 24;
}

std::string Utf8(const std::string& ansi) {
    int wide = ::MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), nullptr, 0);
    std::wstring w(static_cast<size_t>(wide), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), w.data(), wide);
    int bytes = ::WideCharToMultiByte(CP_UTF8, 0, w.data(), wide, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(bytes), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, w.data(), wide, out.data(), bytes, nullptr, nullptr);
    return out;
}
