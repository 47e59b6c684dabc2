#include "tests/movie/AviReader.h"

#include <cstring>

#include "tests/support/TestEnvironment.h"

namespace {
DWORD Fourcc(const std::string& bytes, std::size_t at) {
    DWORD value;
    std::memcpy(&value, bytes.data() + at, 4);
    return value;
}

// Walks the chunks of [begin, end), descending into lists.
bool Walk(const std::string& file, std::size_t begin, std::size_t end, AviContents& avi, std::size_t& moviData) {
    std::size_t at = begin;
    while (at + 8 <= end) {
        const DWORD id = Fourcc(file, at);
        const DWORD size = Fourcc(file, at + 4);
        const std::size_t body = at + 8;
        if (body + size > end) {
            avi.error = "chunk runs past its list";
            return false;
        }
        if (id == mmioFOURCC('L', 'I', 'S', 'T')) {
            const DWORD kind = Fourcc(file, body);
            if (kind == mmioFOURCC('m', 'o', 'v', 'i')) moviData = body;
            if (!Walk(file, body + 4, body + size, avi, moviData)) return false;
        } else if (id == mmioFOURCC('s', 't', 'r', 'h') && size >= sizeof(StreamHeader)) {
            std::memcpy(&avi.header, file.data() + body, sizeof(StreamHeader));
            avi.headerSize = size;
        } else if (id == mmioFOURCC('s', 't', 'r', 'f')) {
            avi.format = file.substr(body, size);
        } else if (id == mmioFOURCC('s', 't', 'r', 'n')) {
            avi.name = file.substr(body, size).c_str();
        } else if (id == mmioFOURCC('i', 'd', 'x', '1')) {
            for (std::size_t e = body; e + 16 <= body + size; e += 16) {
                const DWORD chunk = Fourcc(file, e), flags = Fourcc(file, e + 4);
                const DWORD offset = Fourcc(file, e + 8), length = Fourcc(file, e + 12);
                if ((chunk & 0xFFFF) != mmioFOURCC('0', '0', 0, 0)) continue;
                // Offsets count from the "movi" type code.
                const std::size_t data = moviData + offset + 8;
                if (data + length > file.size()) {
                    avi.error = "index points past the file";
                    return false;
                }
                avi.frames.push_back({file.substr(data, length), flags});
            }
        }
        at = body + size + (size & 1);
    }
    return true;
}
}  // namespace

AviContents ReadAvi(const std::string& path) {
    AviContents avi;
    const std::string file = ReadFileBytes(path);
    if (file.size() < 12 || file.compare(0, 4, "RIFF") != 0 || file.compare(8, 4, "AVI ") != 0) {
        avi.error = "not an AVI file";
        return avi;
    }
    std::size_t moviData = 0;
    avi.valid = Walk(file, 12, std::min<std::size_t>(file.size(), 8 + Fourcc(file, 4)), avi, moviData) &&
                avi.format.size() >= sizeof(BITMAPINFOHEADER);
    if (avi.valid && moviData == 0) {
        avi.valid = false;
        avi.error = "no movie list";
    }
    return avi;
}
