#include "capture/MbString.h"

#include <windows.h>

#include "toolkit/CharWalk.h"

int MbLength(const std::string& s) {
    if (s.empty()) return 0;
    return ::MultiByteToWideChar(CP_ACP, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
}

std::string MbMidFrom(const std::string& s, int n) {
    int number = 1;
    for (CharWalk walk(s); !walk.AtEnd(); walk.Next(), ++number) {
        if (number >= n) return s.substr(walk.Position());
    }
    return {};
}

std::string MbMid(const std::string& s, int m, int count) {
    if (count <= 0) return {};
    int number = 1;
    CharWalk walk(s);
    for (; !walk.AtEnd() && number < m; walk.Next()) ++number;
    const std::size_t start = walk.Position();
    for (int taken = 0; !walk.AtEnd() && taken < count; ++taken) walk.Next();
    return s.substr(start, walk.Position() - start);
}

std::string MbRight(const std::string& s, int n) {
    const int length = MbLength(s);
    if (n <= 0 || length - n < 0) return {};
    return MbMidFrom(s, length - n + 1);
}

int MbPos(const std::string& s, const std::string& sub) {
    const int length = MbLength(s);
    const int subLength = MbLength(sub);
    int number = 1;
    for (CharWalk walk(s); !walk.AtEnd() && number <= length; walk.Next(), ++number) {
        // The same comparison as MbMid(s, number, subLength) == sub, without the copy.
        CharWalk end = walk;
        for (int taken = 0; !end.AtEnd() && taken < subLength; ++taken) end.Next();
        if (s.compare(walk.Position(), end.Position() - walk.Position(), sub) == 0) return number;
    }
    return 0;
}
