#include "toolkit/FilePath.h"

#include "toolkit/CharWalk.h"

std::string ExtractFilePath(const std::string& path) {
    std::size_t end = 0;
    for (CharWalk walk(path); !walk.AtEnd(); walk.Next()) {
        char c = path[walk.Position()];
        if (walk.CharSize() == 1 && (c == '\\' || c == ':')) end = walk.Position() + 1;
    }
    return path.substr(0, end);
}
