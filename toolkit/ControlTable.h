#pragma once
// The process's controls by window. Every message looks its control up: a window property
// costs a round trip to the wineserver each time, a table of the process's own windows does
// not.
#include <windows.h>

#include <mutex>
#include <unordered_map>

class TWinControl;

class ControlTable {
public:
    // Never destroyed: a window may still go while other statics are being destroyed at exit.
    static ControlTable& Instance();

    void Add(HWND window, TWinControl* control);
    void Remove(HWND window);
    TWinControl* Find(HWND window);

    // The id of a child window made next: it stays within the 16 bits WM_COMMAND carries,
    // and never becomes one the system gives OK or Cancel, however many windows a long run
    // makes. On the user-interface thread.
    static UINT_PTR NextId();

private:
    std::mutex lock_;
    std::unordered_map<HWND, TWinControl*> controls_;
};
