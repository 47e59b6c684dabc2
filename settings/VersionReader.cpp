#include "settings/VersionReader.h"

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "toolkit/Exception.h"

namespace {
const char* const kKeys[kVersionKeyCount] = {
    "Comments",        "CompanyName",      "FileDescription", "FileVersion", "InternalName",   "LegalCopyright",
    "LegalTrademarks", "OriginalFilename", "PrivateBuild",    "ProductName", "ProductVersion", "SpecialBuild",
};
}  // namespace

const char* VersionKeyName(int keyIndex) {
    if (keyIndex < 0 || keyIndex >= kVersionKeyCount) return nullptr;
    return kKeys[keyIndex];
}

void ReadVersionString(const std::string& modulePath, int keyIndex, std::string& text) {
    const char* key = VersionKeyName(keyIndex);
    if (!key) return;
    DWORD unused = 0;
    DWORD size = ::GetFileVersionInfoSizeA(modulePath.c_str(), &unused);
    if (size == 0) return;
    std::vector<char> block(size);
    if (!::GetFileVersionInfoA(modulePath.c_str(), 0, size, block.data())) return;

    void* value = nullptr;
    UINT length = 0;
    // A translation entry is a 16-bit language followed by a 16-bit code page; anything
    // shorter is no entry at all.
    if (!::VerQueryValueA(block.data(), "\\VarFileInfo\\Translation", &value, &length) || length < 4 || !value) {
        throw Exception("情報の取得に失敗しました");
    }
    DWORD translation = 0;
    std::memcpy(&translation, value, sizeof translation);

    char query[96];
    std::snprintf(query, sizeof query, "\\StringFileInfo\\%04X%04X\\%s", LOWORD(translation), HIWORD(translation), key);
    value = nullptr;
    length = 0;
    if (!::VerQueryValueA(block.data(), query, &value, &length) || length == 0 || !value) return;

    // The value ends at its own terminating zero. The reported length is not relied on for
    // the end (it may count characters rather than bytes); the block's end bounds the search.
    const char* start = static_cast<const char*>(value);
    const char* blockEnd = block.data() + block.size();
    const char* limit = (start >= block.data() && start < blockEnd) ? blockEnd : start + length;
    const void* zero = std::memchr(start, '\0', static_cast<size_t>(limit - start));
    text.assign(start, zero ? static_cast<const char*>(zero) : limit);
}
