#include "toolkit/SystemLibrary.h"

#include <delayimp.h>

#include <string>

namespace {
// Windows 7 knows the search flags only with its update KB2533623, which brings this
// function along.
FARPROC SetDefaultDllDirectoriesEntry() {
    return ::GetProcAddress(::GetModuleHandleA("kernel32.dll"), "SetDefaultDllDirectories");
}

std::string InSystemFolder(const char* name) {
    char folder[MAX_PATH] = {};
    const UINT length = ::GetSystemDirectoryA(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return std::string();
    return std::string(folder, length) + '\\' + name;
}

// The delay-loading helper asks here before it loads a library itself, by name. Nothing of
// the program's own is above it to take an error, so none leaves it.
FARPROC WINAPI BeforeDelayLoad(unsigned notice, PDelayLoadInfo info) noexcept {
    if (notice != dliNotePreLoadLibrary) return nullptr;
    // Null lets the helper load it by name, which the search set below keeps to the system
    // folder too; only a library missing from the system folder, or a path that could not
    // be built, gets there.
    try {
        return reinterpret_cast<FARPROC>(LoadSystemLibrary(info->szDll));
    } catch (...) {
        return nullptr;
    }
}
}  // namespace

HMODULE LoadSystemLibrary(const char* name) {
    static const bool searchFlagsKnown = SetDefaultDllDirectoriesEntry() != nullptr;
    if (searchFlagsKnown) return ::LoadLibraryExA(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    const std::string path = InSystemFolder(name);
    if (path.empty()) return nullptr;
    // What the library itself needs is looked for beside it first, in the system folder.
    return ::LoadLibraryExA(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

void LoadLibrariesFromSystemFolderOnly() {
    // Without the function (that Windows 7) the program's own loads and its delay-loaded
    // imports still come from the system folder; the system's loads on its behalf do not.
    using SetDirectories = BOOL(WINAPI*)(DWORD);
    if (const auto set = reinterpret_cast<SetDirectories>(reinterpret_cast<void*>(SetDefaultDllDirectoriesEntry()))) {
        set(LOAD_LIBRARY_SEARCH_SYSTEM32);
    }
    __pfnDliNotifyHook2 = BeforeDelayLoad;
}
