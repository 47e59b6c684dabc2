#include "settings/NewFolderName.h"

#include <windows.h>

#include "toolkit/FilePath.h"

namespace {
constexpr int kLastNumber = 255;
}  // namespace

std::string NewFolderName(const std::string& folder) {
    const std::string base = AddTrailingBackslash(folder);
    for (int n = 0; n <= kLastNumber; ++n) {
        const std::string name = n == 0 ? "新しいフォルダ" : "新しいフォルダ (" + std::to_string(n) + ")";
        if (::GetFileAttributesA((base + name).c_str()) == INVALID_FILE_ATTRIBUTES) return name;
    }
    return "";
}
