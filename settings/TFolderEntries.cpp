#include "settings/TFolderEntries.h"

#include <windows.h>

#include "toolkit/FilePath.h"
#include "toolkit/UniqueHandle.h"

namespace {
std::wstring Widen(const std::string& text) {
    int wide = ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring result(static_cast<size_t>(wide), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), result.data(), wide);
    return result;
}
}  // namespace

TFolderEntries::TFolderEntries(const std::string& folder) : folder_(folder) {
    WIN32_FIND_DATAW data;
    UniqueFindHandle find(::FindFirstFileW(Widen(folder + "*").c_str(), &data));
    if (!find) {
        DWORD error = ::GetLastError();
        // An absent folder holds nothing; anything else is looked up name by name.
        listed_ = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND || error == ERROR_NO_MORE_FILES;
        return;
    }
    do {
        names_.insert(Key(data.cFileName));
        if (data.cAlternateFileName[0]) names_.insert(Key(data.cAlternateFileName));
    } while (::FindNextFileW(find.get(), &data));
    listed_ = ::GetLastError() == ERROR_NO_MORE_FILES;
}

bool TFolderEntries::Exists(const std::string& name) const {
    // A name that reaches into another folder is not in this listing: ask the system.
    if (!listed_ || HasPathSeparator(name)) {
        return ::GetFileAttributesA((folder_ + name).c_str()) != INVALID_FILE_ATTRIBUTES;
    }
    return names_.count(Key(name)) != 0;
}

std::wstring TFolderEntries::Key(const std::string& name) { return Key(Widen(name).c_str()); }

std::wstring TFolderEntries::Key(const wchar_t* name) {
    std::wstring key(name);
    ::CharUpperBuffW(key.data(), static_cast<DWORD>(key.size()));
    return key;
}
