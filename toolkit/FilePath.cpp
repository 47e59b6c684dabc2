#include "toolkit/FilePath.h"

#include <windows.h>

#include "toolkit/CharWalk.h"

namespace {
std::size_t FileNameStart(const std::string& path) {
    std::size_t start = 0;
    for (CharWalk walk(path); !walk.AtEnd(); walk.Next()) {
        if (walk.CharSize() == 1 && (path[walk.Position()] == '\\' || path[walk.Position()] == ':')) {
            start = walk.Position() + 1;
        }
    }
    return start;
}

bool EndsWithDelimiter(const std::string& path) {
    bool last = false;
    for (CharWalk walk(path); !walk.AtEnd(); walk.Next()) {
        last = walk.CharSize() == 1 && path[walk.Position()] == '\\';
    }
    return last;
}
}  // namespace

std::string ExtractFilePath(const std::string& path) { return path.substr(0, FileNameStart(path)); }

std::string ExtractFileName(const std::string& path) { return path.substr(FileNameStart(path)); }

bool HasPathSeparator(const std::string& text) {
    for (CharWalk walk(text); !walk.AtEnd(); walk.Next()) {
        if (walk.CharSize() == 1 && (text[walk.Position()] == '\\' || text[walk.Position()] == '/')) return true;
    }
    return false;
}

std::string AddTrailingBackslash(const std::string& path) { return EndsWithDelimiter(path) ? path : path + "\\"; }

std::string ExcludeTrailingPathDelimiter(const std::string& path) {
    return EndsWithDelimiter(path) ? path.substr(0, path.size() - 1) : path;
}

bool DirectoryExists(const std::string& path) {
    const DWORD attributes = ::GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool SameFolder(const std::string& a, const std::string& b) { return !a.empty() && CompareFolders(a, b) == 0; }

int CompareFolders(const std::string& a, const std::string& b) {
    return ::CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, IncludeTrailingPathDelimiter(a).c_str(), -1,
                            IncludeTrailingPathDelimiter(b).c_str(), -1) -
           CSTR_EQUAL;
}
