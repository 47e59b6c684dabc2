#include "toolkit/TPicture.h"

#include <windows.h>

#include "toolkit/Exception.h"

void TPicture::LoadFromFile(const std::string& path) {
    // '.' is never the second byte of a double-byte character, so the byte test is safe.
    const std::size_t dot = path.find_last_of(".\\:");
    const std::string extension = dot == std::string::npos || path[dot] != '.' ? "" : path.substr(dot);
    if (::lstrcmpiA(extension.c_str(), ".bmp") != 0)
        throw Exception("この形式の画像は読み込めません (" + extension + "): " + path);
    bitmap_.LoadFromFile(path);
}
