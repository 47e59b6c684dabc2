#include "toolkit/FilePath.h"

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
}  // namespace

std::string ExtractFilePath(const std::string& path) { return path.substr(0, FileNameStart(path)); }

std::string ExtractFileName(const std::string& path) { return path.substr(FileNameStart(path)); }

bool HasPathSeparator(const std::string& text) {
    for (CharWalk walk(text); !walk.AtEnd(); walk.Next()) {
        if (walk.CharSize() == 1 && (text[walk.Position()] == '\\' || text[walk.Position()] == '/')) return true;
    }
    return false;
}
