#include "capture/Compositor.h"

#include <utility>

#include "toolkit/SystemLibrary.h"

namespace {
using GetAttributeFunction = HRESULT(WINAPI*)(HWND, DWORD, void*, DWORD);
using FlushFunction = HRESULT(WINAPI*)();

constexpr DWORD kExtendedFrameBounds = 9;  // DWMWA_EXTENDED_FRAME_BOUNDS
constexpr DWORD kCloaked = 14;             // DWMWA_CLOAKED

// The compositor's library and its functions, looked up by name: a system without a
// compositor may have neither.
struct DwmLibrary {
    GetAttributeFunction getAttribute = nullptr;
    FlushFunction flush = nullptr;

    DwmLibrary() {
        HMODULE dwm = LoadSystemLibrary("dwmapi.dll");
        if (!dwm) return;
        getAttribute = reinterpret_cast<GetAttributeFunction>(
            reinterpret_cast<void*>(::GetProcAddress(dwm, "DwmGetWindowAttribute")));
        flush = reinterpret_cast<FlushFunction>(reinterpret_cast<void*>(::GetProcAddress(dwm, "DwmFlush")));
    }
};

const DwmLibrary& Dwm() {
    static const DwmLibrary library;
    return library;
}

Compositor::BoundsFunction boundsSource;

bool SystemVisibleBounds(HWND window, RECT& bounds) {
    const auto get = Dwm().getAttribute;
    return get && get(window, kExtendedFrameBounds, &bounds, sizeof bounds) == S_OK;
}
}  // namespace

bool Compositor::VisibleBounds(HWND window, RECT& bounds) {
    return boundsSource ? boundsSource(window, bounds) : SystemVisibleBounds(window, bounds);
}

bool Compositor::Cloaked(HWND window) {
    const auto get = Dwm().getAttribute;
    DWORD cloaked = 0;
    return get && get(window, kCloaked, &cloaked, sizeof cloaked) == S_OK && cloaked != 0;
}

void Compositor::Flush() {
    if (const auto flush = Dwm().flush) flush();
}

Compositor::BoundsFunction Compositor::SetBoundsSource(BoundsFunction function) {
    return std::exchange(boundsSource, std::move(function));
}
