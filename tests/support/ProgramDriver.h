#pragma once
// Runs a copy of Pictavo.exe in a folder of its own (its settings file and work folder go
// there) and drives it from outside, as a user would: windows found by caption, text set,
// buttons pressed, message boxes read and answered, keys pressed on the X display.
#include <windows.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "tests/support/TestEnvironment.h"
#include "toolkit/UniqueHandle.h"

struct ShownBox {
    std::string caption;
    std::string text;
};

class ProgramDriver {
public:
    ProgramDriver();
    // The program where a user put it, started from there: nothing is copied, and Folder()
    // and the settings below are not its own.
    explicit ProgramDriver(std::string installedExe);
    ~ProgramDriver();  // closes the program if it still runs

    // The program's folder (where the copy of the executable lies).
    const TempFolder& Folder() const { return folder_; }
    const std::string& ExePath() const { return exePath_; }

    // A key of the settings file beside the program, as if an earlier run had left it.
    void WriteSetting(const std::string& key, const std::string& value) const;
    std::string SettingsPath() const { return folder_ / "Pictavo.ini"; }

    bool Start();
    // Starts the program and waits for its settings window, as a first start shows it (null
    // when the program does not start or the window does not appear).
    HWND StartToSettings();
    // The same with the save folder saved by an earlier run.
    HWND StartToSettings(const std::string& saveFolder);
    bool Running() const;
    bool WaitForExit(std::chrono::milliseconds timeout);

    // A visible top-level window of the program with this caption (null when none appears).
    HWND WaitForWindow(const std::string& caption, std::chrono::milliseconds timeout = std::chrono::seconds(10));
    // Child control of a window, found by its class and text ("" matches any class or text).
    static HWND FindControl(HWND parent, const std::string& className, const std::string& text);
    // Presses a button of the program: a system button by BM_CLICK, one the program paints
    // itself with the Enter key.
    static void PressButton(HWND button);

    // The settings window's start button pressed and the box that tells the way back
    // answered: the program is in shooting mode once the window has gone (false when the
    // button, the box or the hiding does not come). `told` receives the box.
    bool ConfirmSettings(HWND settings, ShownBox* told = nullptr);

    // The next message box of the program: its caption and text, answered with the button.
    bool AnswerBox(ShownBox& box, int button, std::chrono::milliseconds timeout = std::chrono::seconds(10));
    // Every box that is up now, without answering.
    std::vector<HWND> OpenBoxes() const;
    // The program's pop-up menu while it is shown (a top-most tool window of its own), or
    // null.
    HWND OpenMenu() const;

    // Presses keys on the X display with xdotool, focused on the Wine desktop first.
    static bool PressKeys(const std::string& keys);
    // Presses the keys until the condition holds: the first presses may come before the
    // program has registered its keys.
    static bool PressKeysUntil(const std::string& keys, const std::function<bool()>& done);

private:
    std::vector<HWND> TopLevelWindows() const;

    TempFolder folder_;
    std::string exePath_;
    UniqueKernelHandle process_;
    DWORD processId_ = 0;
};
