#pragma once
// Helpers shared by the test executables: temporary folders, waiting for what a message
// handler does, Shift-JIS text in failure messages.
#include <windows.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

// A fresh, empty folder under the system's temporary folder, removed with its content
// when the object goes away. Path() ends without a backslash.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& Path() const { return path_; }
    std::string operator/(const std::string& name) const { return path_ + "\\" + name; }

private:
    std::string path_;
};

// A folder on the Desktop (so the shell's folder tree shows it), removed with its content
// at the end.
class DesktopFolder {
public:
    explicit DesktopFolder(const std::string& name);
    ~DesktopFolder();
    DesktopFolder(const DesktopFolder&) = delete;
    DesktopFolder& operator=(const DesktopFolder&) = delete;

    const std::string& Path() const { return path_; }
    std::string operator/(const std::string& name) const { return path_ + "\\" + name; }
    // Makes a folder (and the folders above it) below this one.
    std::string MakeFolder(const std::string& relative) const;

private:
    std::string path_;
};
std::string DesktopDirectory();

// Processes messages until the condition holds or the time is up; returns the condition.
bool PumpUntil(const std::function<bool()>& condition,
               std::chrono::milliseconds timeout = std::chrono::milliseconds(5000));
// Processes messages for a while (for things that must *not* happen in that time).
void PumpFor(std::chrono::milliseconds duration);
// Waits until the condition holds or the time is up, without handling any message: for a
// thread that plays the user while the user-interface thread is busy, or a test that must
// leave its queue as it is. Returns the condition.
bool WaitUntil(const std::function<bool()>& condition,
               std::chrono::milliseconds timeout = std::chrono::milliseconds(5000));

// Registers a window class of the test's own once (later calls only give the name back):
// the procedure, the arrow cursor and the background brush, if any (the class keeps it).
const char* TestWindowClass(const char* name, WNDPROC procedure, HBRUSH background = nullptr);

// Reads and writes whole files.
std::string ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::string& bytes);
bool PathExists(const std::string& path);
// Names of the files (not folders) in a folder.
std::vector<std::string> FileNamesIn(const std::string& folder);
void DeleteTree(const std::string& path);

// Runs a command line of the host (an X tool such as xdotool) and waits until it ends.
// Returns false when it cannot be started or does not end in time.
bool RunHostCommand(const std::string& commandLine, std::chrono::milliseconds timeout = std::chrono::seconds(10));

// Presses the keys down in order and lets them go in reverse through SendInput, as a
// keyboard would, without moving the focus. False when the system took not all of them.
bool SendKeys(const std::vector<WORD>& keys);

// Output of a host command (its standard output), e.g. ImageMagick's identify.
std::string HostCommandOutput(const std::string& commandLine);

// The Unix path of a Windows path, for host tools.
std::string UnixPath(const std::string& windowsPath);

// The display's colour depth that the test run was started with (PICTAVO_DEPTH, else 24).
int RequestedDepth();

// The visible top-level windows of a process, front to back.
std::vector<HWND> VisibleWindowsOf(DWORD processId);

// A window's text and class name, read the way any process can read them.
std::string WindowText(HWND window);
std::string ClassOf(HWND window);

// Shift-JIS bytes as UTF-8, for readable failure messages.
std::string Utf8(const std::string& ansi);
