#pragma once
// The window of another program, standing for the window the user works in (the program
// never takes an active-window still of its own windows). The program is started with
// its window shown and ends with the object.
#include <windows.h>

#include <string>

#include "toolkit/UniqueHandle.h"

class ForeignWindow {
public:
    // Any program with a window, started by its command line (for example "notepad.exe").
    explicit ForeignWindow(const std::string& commandLine);
    // A plain document in one colour at a place of its own (tests/app/helpers).
    static std::string Document(COLORREF colour, RECT bounds = {100, 120, 400, 320});
    ~ForeignWindow();
    ForeignWindow(const ForeignWindow&) = delete;
    ForeignWindow& operator=(const ForeignWindow&) = delete;

    // Null when no window appeared.
    HWND Handle() const { return window_; }
    RECT OuterRect() const;
    POINT Centre() const;
    // Closes the window as its close box would and waits for the program to end.
    void Close();

private:
    UniqueKernelHandle process_;
    HWND window_ = nullptr;
};
