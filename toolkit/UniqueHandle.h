#pragma once
// One move-only owner for every handle kind the program holds. Copying is deleted;
// put() releases the old handle before it hands out the address, so filling an owner
// twice cannot leak. Releasing keeps the thread's last error: an owner let go on the way
// out of a failed call leaves that call's code for the caller to read.
#include <windows.h>

#include <utility>

// Null is "no handle" unless the kind says otherwise (files: INVALID_HANDLE_VALUE).
template <typename T>
struct NullIsInvalid {
    static T Invalid() { return T{}; }
};

template <typename T, auto Release, typename Empty = NullIsInvalid<T>>
class UniqueHandle {
public:
    UniqueHandle() : value_(Empty::Invalid()) {}
    explicit UniqueHandle(T value) : value_(value) {}
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : value_(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }
    ~UniqueHandle() { reset(); }

    T get() const { return value_; }
    explicit operator bool() const { return value_ != Empty::Invalid(); }

    T release() { return std::exchange(value_, Empty::Invalid()); }

    void reset() { reset(Empty::Invalid()); }
    void reset(T value) {
        T old = std::exchange(value_, value);
        if (old == Empty::Invalid()) return;
        const DWORD lastError = ::GetLastError();
        Release(old);
        ::SetLastError(lastError);
    }

    T* put() {
        reset();
        return &value_;
    }

private:
    T value_;
};

namespace handle_detail {
inline void DeleteGdiObject(HGDIOBJ h) { ::DeleteObject(h); }
inline void DeleteDc(HDC h) { ::DeleteDC(h); }
inline void DestroyIconHandle(HICON h) { ::DestroyIcon(h); }
inline void DestroyMenuHandle(HMENU h) { ::DestroyMenu(h); }
inline void DestroyWindowHandle(HWND h) { ::DestroyWindow(h); }
inline void CloseKernelHandle(HANDLE h) { ::CloseHandle(h); }
inline void CloseFind(HANDLE h) { ::FindClose(h); }
inline void CloseChangeNotification(HANDLE h) { ::FindCloseChangeNotification(h); }
inline void FreeLibraryHandle(HMODULE h) { ::FreeLibrary(h); }
inline void UnhookHook(HHOOK h) { ::UnhookWindowsHookEx(h); }
struct InvalidHandleValue {
    static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }
};
}  // namespace handle_detail

template <typename T>
using UniqueGdiObject = UniqueHandle<T, handle_detail::DeleteGdiObject>;
using UniqueHbitmap = UniqueGdiObject<HBITMAP>;
using UniqueHfont = UniqueGdiObject<HFONT>;
using UniqueHbrush = UniqueGdiObject<HBRUSH>;
using UniqueHpen = UniqueGdiObject<HPEN>;
using UniqueHrgn = UniqueGdiObject<HRGN>;
using UniqueMemoryDc = UniqueHandle<HDC, handle_detail::DeleteDc>;
using UniqueHicon = UniqueHandle<HICON, handle_detail::DestroyIconHandle>;
using UniqueHmenu = UniqueHandle<HMENU, handle_detail::DestroyMenuHandle>;
using UniqueHwnd = UniqueHandle<HWND, handle_detail::DestroyWindowHandle>;
// Kernel objects whose "no handle" value is null: events, threads, processes.
using UniqueKernelHandle = UniqueHandle<HANDLE, handle_detail::CloseKernelHandle>;
// Files and find handles report failure as INVALID_HANDLE_VALUE instead.
using UniqueFileHandle = UniqueHandle<HANDLE, handle_detail::CloseKernelHandle, handle_detail::InvalidHandleValue>;
using UniqueFindHandle = UniqueHandle<HANDLE, handle_detail::CloseFind, handle_detail::InvalidHandleValue>;
using UniqueChangeHandle =
    UniqueHandle<HANDLE, handle_detail::CloseChangeNotification, handle_detail::InvalidHandleValue>;
using UniqueHmodule = UniqueHandle<HMODULE, handle_detail::FreeLibraryHandle>;
using UniqueHhook = UniqueHandle<HHOOK, handle_detail::UnhookHook>;
