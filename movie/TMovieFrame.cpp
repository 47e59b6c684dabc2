#include "movie/TMovieFrame.h"

#include <cstring>

#include "toolkit/BmpFile.h"
#include "toolkit/EOSError.h"
#include "toolkit/SelectObjectGuard.h"
#include "toolkit/WindowDC.h"

namespace {
// Larger than any screen the program records, small enough for a 32-bit process.
constexpr std::uint64_t kLargestImage = 512ull * 1024 * 1024;

[[noreturn]] void Invalid(const std::string& path, const char* what) {
    throw Exception(std::string("ビットマップ ファイルが正しくありません (") + what + "): " + path);
}

void ReadExactly(HANDLE file, void* into, DWORD bytes, const std::string& path) {
    DWORD read = 0;
    ThrowIfFalse(::ReadFile(file, into, bytes, &read, nullptr));
    if (read != bytes) Invalid(path, "画素が途中で切れています");
}
}  // namespace

void TMovieFrame::Resize(int width, int height, bool bottomUp) {
    if (!pixels_.Empty() && pixels_.Width() == width && pixels_.Height() == height && bottomUp_ == bottomUp) return;
    pixels_.Reset();
    pixels_.Create(width, height, bottomUp);
    bottomUp_ = bottomUp;
}

void TMovieFrame::LoadFromFile(const std::string& path) {
    empty_ = true;
    UniqueFileHandle file(::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                        FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file) throw EOSError(::GetLastError(), EOSError::SystemText(::GetLastError()) + ": " + path);
    LARGE_INTEGER size{};
    ThrowIfFalse(::GetFileSizeEx(file.get(), &size));
    const auto fileSize = static_cast<std::uint64_t>(size.QuadPart);

    // File header, information header and the masks that may follow it, as they lie in the
    // file (the file header's 14 bytes would be padded in a structure).
    BYTE head[sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) + 3 * sizeof(DWORD)] = {};
    BITMAPFILEHEADER fileHeader;
    BITMAPINFOHEADER info;
    DWORD masks[3];
    if (fileSize < sizeof fileHeader + sizeof info) Invalid(path, "ヘッダーが足りません");
    ReadExactly(file.get(), head, static_cast<DWORD>(std::min<std::uint64_t>(sizeof head, fileSize)), path);
    std::memcpy(&fileHeader, head, sizeof fileHeader);
    std::memcpy(&info, head + sizeof fileHeader, sizeof info);
    std::memcpy(masks, head + sizeof fileHeader + sizeof info, sizeof masks);
    if (fileHeader.bfType != 0x4D42) Invalid(path, "BM で始まっていません");

    if (!ReadPlain(file.get(), fileHeader, info, masks, fileSize, path)) Convert(path);
    empty_ = false;
}

// 32-bit rows in blue, green, red order lie in the file exactly as in the pixels: one read.
bool TMovieFrame::ReadPlain(HANDLE file, const BITMAPFILEHEADER& fileHeader, const BITMAPINFOHEADER& info,
                            const DWORD* masks, std::uint64_t fileSize, const std::string& path) {
    if (info.biSize < sizeof(BITMAPINFOHEADER) || info.biBitCount != 32 || info.biPlanes != 1) return false;
    std::uint64_t headerEnd = sizeof(BITMAPFILEHEADER) + std::uint64_t{info.biSize};
    if (info.biCompression == BI_BITFIELDS) {
        // The masks follow a 40-byte header and are part of the longer ones.
        if (masks[0] != 0x00FF0000 || masks[1] != 0x0000FF00 || masks[2] != 0x000000FF) return false;
        if (info.biSize == sizeof(BITMAPINFOHEADER)) headerEnd += 3 * sizeof(DWORD);
    } else if (info.biCompression != BI_RGB) {
        return false;
    }
    if (info.biWidth <= 0 || info.biHeight == 0 || info.biHeight == INT32_MIN) Invalid(path, "大きさ");
    const std::uint64_t width = static_cast<std::uint32_t>(info.biWidth);
    const std::uint64_t height = info.biHeight < 0 ? -std::int64_t{info.biHeight} : info.biHeight;
    if (width > kLargestImage / 4 || height > kLargestImage || width * 4 * height > kLargestImage)
        Invalid(path, "大きすぎます");
    const std::uint64_t imageBytes = width * 4 * height;
    if (fileHeader.bfOffBits < headerEnd) Invalid(path, "画素の位置");
    if (fileHeader.bfOffBits + imageBytes > fileSize) Invalid(path, "画素が途中で切れています");

    const bool bottomUp = info.biHeight > 0;
    Resize(static_cast<int>(width), static_cast<int>(height), bottomUp);
    LARGE_INTEGER offset{};
    offset.QuadPart = fileHeader.bfOffBits;
    ThrowIfFalse(::SetFilePointerEx(file, offset, nullptr, FILE_BEGIN));
    // The first row in memory is the first row of the file, whichever way up.
    std::uint8_t* first = bottomUp ? pixels_.Row(pixels_.Height() - 1) : pixels_.Row(0);
    ::GdiFlush();
    ReadExactly(file, first, static_cast<DWORD>(imageBytes), path);
    return true;
}

// Any other bitmap: read and checked by the toolkit, converted to 32 bits by the system.
void TMovieFrame::Convert(const std::string& path) {
    const DibPixels dib = ReadBmpFile(path);
    Resize(dib.header.biWidth, dib.Height(), true);
    struct {
        BITMAPINFOHEADER header;
        RGBQUAD colours[256];
    } info{};
    info.header = dib.header;
    std::memcpy(info.colours, dib.colours.data(), std::min<std::size_t>(dib.colours.size(), 256) * sizeof(RGBQUAD));
    WindowDC screen(nullptr);
    const int lines = ::SetDIBits(screen.get(), pixels_.Handle(), 0, static_cast<UINT>(dib.Height()), dib.rows.data(),
                                  reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS);
    if (lines != dib.Height()) Invalid(path, "変換できません");
}

void TMovieFrame::Draw(HDC dc, int x, int y) const {
    if (empty_) return;
    UniqueMemoryDc source(::CreateCompatibleDC(dc));
    SelectObjectGuard selection(source.get(), pixels_.Handle());
    ::BitBlt(dc, x, y, Width(), Height(), source.get(), 0, 0, SRCCOPY);
}

void TMovieFrame::StretchDraw(HDC dc, const RECT& rect) const {
    if (empty_) return;
    UniqueMemoryDc source(::CreateCompatibleDC(dc));
    SelectObjectGuard selection(source.get(), pixels_.Handle());
    const int oldMode = ::SetStretchBltMode(dc, HALFTONE);
    ::SetBrushOrgEx(dc, 0, 0, nullptr);
    ::StretchBlt(dc, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, source.get(), 0, 0, Width(),
                 Height(), SRCCOPY);
    if (oldMode) ::SetStretchBltMode(dc, oldMode);
}
