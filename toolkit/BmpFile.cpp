#include "toolkit/BmpFile.h"

#include <cstdint>
#include <cstring>

#include "toolkit/AtomicFile.h"
#include "toolkit/EOSError.h"
#include "toolkit/LastErrorOnFailure.h"
#include "toolkit/UniqueHandle.h"

namespace {
constexpr WORD kBitmapMagic = 0x4D42;  // "BM"
constexpr std::size_t kFileHeaderSize = sizeof(BITMAPFILEHEADER);
constexpr std::size_t kInfoHeaderSize = sizeof(BITMAPINFOHEADER);
// Larger than any screen or frame the program makes, and small enough that reading the
// file cannot exhaust a 32-bit process.
constexpr std::uint64_t kLargestFile = 512ull * 1024 * 1024;

[[noreturn]] void Invalid(const std::string& path, const char* what) {
    throw Exception(std::string("ビットマップ ファイルが正しくありません (") + what + "): " + path);
}

template <typename T>
T ReadAt(const std::string& bytes, std::size_t offset) {
    T value;
    std::memcpy(&value, bytes.data() + offset, sizeof value);
    return value;
}

std::string ReadWholeFile(const std::string& path) {
    UniqueFileHandle file(::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                        FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file) throw EOSError(::GetLastError(), EOSError::SystemText(::GetLastError()) + ": " + path);
    LARGE_INTEGER size{};
    ThrowIfFalse(::GetFileSizeEx(file.get(), &size));
    if (static_cast<std::uint64_t>(size.QuadPart) > kLargestFile) Invalid(path, "大きすぎます");
    std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
    std::size_t done = 0;
    while (done < bytes.size()) {
        DWORD read = 0;
        ThrowIfFalse(
            ::ReadFile(file.get(), bytes.data() + done, static_cast<DWORD>(bytes.size() - done), &read, nullptr));
        if (read == 0) break;  // the file shrank meanwhile: what is there is checked below
        done += read;
    }
    bytes.resize(done);
    return bytes;
}
void WriteHeadersAndRows(const DibPixels& pixels, const std::string& path) {
    const std::size_t tableSize = pixels.colours.size() * sizeof(RGBQUAD);
    const std::size_t offBits = kFileHeaderSize + kInfoHeaderSize + tableSize;

    BITMAPFILEHEADER file{};
    file.bfType = kBitmapMagic;
    file.bfSize = static_cast<DWORD>(offBits + pixels.rows.size());
    file.bfOffBits = static_cast<DWORD>(offBits);
    BITMAPINFOHEADER info = pixels.header;
    info.biSize = kInfoHeaderSize;
    info.biSizeImage = static_cast<DWORD>(pixels.rows.size());
    info.biClrUsed = info.biBitCount <= 8 ? static_cast<DWORD>(pixels.colours.size()) : 0;

    std::string head(offBits, '\0');
    std::memcpy(head.data(), &file, kFileHeaderSize);
    std::memcpy(head.data() + kFileHeaderSize, &info, kInfoHeaderSize);
    if (tableSize) std::memcpy(head.data() + kFileHeaderSize + kInfoHeaderSize, pixels.colours.data(), tableSize);

    AtomicFile out(path);
    out.Write(head.data(), head.size());
    out.Write(pixels.rows.data(), pixels.rows.size());
    out.Commit();
}
}  // namespace

void WriteBmpFile(const DibPixels& pixels, const std::string& path) {
    LastErrorOnFailure([&] { WriteHeadersAndRows(pixels, path); });
}

DibPixels ReadBmpFile(const std::string& path) {
    const std::string bytes = ReadWholeFile(path);
    const std::uint64_t size = bytes.size();
    if (size < kFileHeaderSize + kInfoHeaderSize) Invalid(path, "ヘッダーが足りません");
    const auto file = ReadAt<BITMAPFILEHEADER>(bytes, 0);
    if (file.bfType != kBitmapMagic) Invalid(path, "BM で始まっていません");
    const auto header = ReadAt<BITMAPINFOHEADER>(bytes, kFileHeaderSize);
    if (header.biSize < kInfoHeaderSize || kFileHeaderSize + std::uint64_t{header.biSize} > size)
        Invalid(path, "情報ヘッダー");

    const int bits = header.biBitCount;
    if (header.biWidth <= 0 || header.biHeight == 0 || header.biHeight == INT32_MIN) Invalid(path, "大きさ");
    if (header.biPlanes != 1) Invalid(path, "プレーン数");
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) Invalid(path, "ビット数");
    const bool bitfields = header.biCompression == BI_BITFIELDS;
    if (header.biCompression != BI_RGB && !(bitfields && (bits == 16 || bits == 32)))
        Invalid(path, "対応していない圧縮形式");

    DibPixels pixels;
    pixels.header = header;
    pixels.header.biSize = kInfoHeaderSize;
    std::uint64_t tableEnd = kFileHeaderSize + std::uint64_t{header.biSize};
    if (bitfields) {
        // The masks follow a 40-byte header and are part of the longer ones: at the same
        // place in both cases.
        const std::uint64_t masks = kFileHeaderSize + kInfoHeaderSize;
        if (masks + 3 * sizeof(DWORD) > size) Invalid(path, "色マスク");
        pixels.colours.resize(3);
        std::memcpy(pixels.colours.data(), bytes.data() + masks, 3 * sizeof(DWORD));
        if (header.biSize == kInfoHeaderSize) tableEnd += 3 * sizeof(DWORD);
    } else if (bits <= 8) {
        const std::uint64_t most = std::uint64_t{1} << bits;
        const std::uint64_t count = header.biClrUsed ? header.biClrUsed : most;
        if (count > most || tableEnd + count * sizeof(RGBQUAD) > size) Invalid(path, "カラーテーブル");
        pixels.colours.resize(static_cast<std::size_t>(count));
        std::memcpy(pixels.colours.data(), bytes.data() + tableEnd, pixels.colours.size() * sizeof(RGBQUAD));
        tableEnd += count * sizeof(RGBQUAD);
        pixels.header.biClrUsed = static_cast<DWORD>(count);
    }
    if (bits > 8) pixels.header.biClrUsed = 0;

    const std::uint64_t height = header.biHeight < 0 ? -std::int64_t{header.biHeight} : header.biHeight;
    const std::uint64_t rowBytes = (std::uint64_t{static_cast<std::uint32_t>(header.biWidth)} * bits + 31) / 32 * 4;
    // Each factor alone is checked first, so the product cannot wrap around.
    if (rowBytes > size || height > size) Invalid(path, "画素が途中で切れています");
    const std::uint64_t imageSize = rowBytes * height;
    if (file.bfOffBits < tableEnd) Invalid(path, "画素の位置");
    if (file.bfOffBits + imageSize > size) Invalid(path, "画素が途中で切れています");

    pixels.header.biSizeImage = static_cast<DWORD>(imageSize);
    pixels.rows.assign(bytes.begin() + file.bfOffBits,
                       bytes.begin() + static_cast<std::ptrdiff_t>(file.bfOffBits + imageSize));
    return pixels;
}
