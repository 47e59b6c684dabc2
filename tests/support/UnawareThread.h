#pragma once
// The calling thread takes the part of a program that is not DPI-aware, for the object's
// life. Wine treats every program as aware and hands it the display's own pixels; on a
// scaled display an unaware thread gets scaled coordinates from window rectangles, the
// cursor and its messages, while low-level hooks still report the display's own pixels:
// the spaces a Windows user's program lives in.
#include <windows.h>

class UnawareThread {
public:
    UnawareThread() {
        const HDC screen = ::GetDC(nullptr);
        scaled_ = ::GetDeviceCaps(screen, LOGPIXELSX) != USER_DEFAULT_SCREEN_DPI;
        ::ReleaseDC(nullptr, screen);
        if (Set()) previous_ = Set()(reinterpret_cast<HANDLE>(-1));  // DPI_AWARENESS_CONTEXT_UNAWARE
    }
    ~UnawareThread() {
        if (previous_) Set()(previous_);
    }
    UnawareThread(const UnawareThread&) = delete;
    UnawareThread& operator=(const UnawareThread&) = delete;

    // False where threads have no awareness of their own.
    bool Taken() const { return previous_ != nullptr; }
    // Whether the display is scaled (an unaware thread is always told 96 dpi).
    bool DisplayScaled() const { return scaled_; }

private:
    using SetContext = HANDLE(WINAPI*)(HANDLE);
    static SetContext Set() {
        static const auto set = reinterpret_cast<SetContext>(reinterpret_cast<void*>(
            ::GetProcAddress(::GetModuleHandleA("user32.dll"), "SetThreadDpiAwarenessContext")));
        return set;
    }

    HANDLE previous_ = nullptr;
    bool scaled_ = false;
};
