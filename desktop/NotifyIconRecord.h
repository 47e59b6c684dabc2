#pragma once
// The record handed to Shell_NotifyIconA, in its first, 88-byte form (a 64-byte tip and
// nothing after it), and the hook through which every call to the shell passes.
#include <windows.h>
#include <shellapi.h>

#include <cstddef>
#include <functional>

struct NotifyIconRecord {
    DWORD size = sizeof(NotifyIconRecord);
    HWND window = nullptr;
    UINT id = 0;
    UINT flags = 0;
    UINT callbackMessage = 0;
    HICON icon = nullptr;
    char tip[64] = {};
};

static_assert(sizeof(NotifyIconRecord) == 88);
static_assert(sizeof(NotifyIconRecord) == NOTIFYICONDATAA_V1_SIZE);
static_assert(offsetof(NotifyIconRecord, window) == 4);
static_assert(offsetof(NotifyIconRecord, id) == 8);
static_assert(offsetof(NotifyIconRecord, flags) == 12);
static_assert(offsetof(NotifyIconRecord, callbackMessage) == 16);
static_assert(offsetof(NotifyIconRecord, icon) == 20);
static_assert(offsetof(NotifyIconRecord, tip) == 24);
static_assert(offsetof(NotifyIconRecord, tip) == offsetof(NOTIFYICONDATAA, szTip));

// Every call to the shell goes through one of these (NIM_ADD, NIM_MODIFY, NIM_DELETE). It
// may be called from the animation thread.
using ShellNotifyFunction = std::function<BOOL(DWORD action, NotifyIconRecord& record)>;

// The shell itself.
inline BOOL SystemShellNotify(DWORD action, NotifyIconRecord& record) {
    return ::Shell_NotifyIconA(action, reinterpret_cast<NOTIFYICONDATAA*>(&record));
}
