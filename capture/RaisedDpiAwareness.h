#pragma once
// Raises the calling thread's DPI awareness for as long as the object lives, so that
// screen sizes, window rectangles and device contexts are in the display's own pixels.
// A program that does not declare itself aware is handed scaled coordinates on a display
// scaled above 100 %, and a capture taken with them misses part of the screen or window.
// Where the system cannot set a thread's awareness, nothing changes.
#include <windows.h>

class RaisedDpiAwareness {
public:
    RaisedDpiAwareness();
    ~RaisedDpiAwareness();
    RaisedDpiAwareness(const RaisedDpiAwareness&) = delete;
    RaisedDpiAwareness& operator=(const RaisedDpiAwareness&) = delete;

    // Whether the thread's awareness was changed (and is put back on destruction).
    bool Raised() const { return previous_ != nullptr; }

private:
    HANDLE previous_ = nullptr;
};
