#pragma once
// Selects a GDI object into a device context and puts the previous one back on scope exit,
// so an owned object is never deleted while still selected. It can be moved; the one it
// was moved from puts nothing back.
#include <windows.h>

#include <utility>

class SelectObjectGuard {
public:
    SelectObjectGuard(HDC dc, HGDIOBJ object) : dc_(dc), previous_(::SelectObject(dc, object)) {}
    SelectObjectGuard(SelectObjectGuard&& other) noexcept
        : dc_(other.dc_), previous_(std::exchange(other.previous_, nullptr)) {}
    SelectObjectGuard& operator=(SelectObjectGuard&& other) noexcept {
        if (this != &other) {
            Restore();
            dc_ = other.dc_;
            previous_ = std::exchange(other.previous_, nullptr);
        }
        return *this;
    }
    ~SelectObjectGuard() { Restore(); }

private:
    void Restore() {
        HGDIOBJ previous = std::exchange(previous_, nullptr);
        if (previous && previous != HGDI_ERROR) ::SelectObject(dc_, previous);
    }

    HDC dc_;
    HGDIOBJ previous_;
};
