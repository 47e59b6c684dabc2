#include "movie/DibSection.h"

#include "toolkit/EOSError.h"
#include "toolkit/MemoryBitmap.h"

void DibSection::Create(int width, int height, bool bottomUp) {
    Reset();
    if (width <= 0 || height <= 0) throw EOSError(ERROR_INVALID_PARAMETER);
    void* bits = nullptr;
    bitmap_ = MakeMemoryBitmap(width, height, bottomUp, &bits);
    if (!bitmap_ || !bits) {
        bitmap_.reset();
        const DWORD error = ::GetLastError();
        throw EOSError(error ? error : ERROR_NOT_ENOUGH_MEMORY);
    }
    width_ = width;
    height_ = height;
    const std::ptrdiff_t rowBytes = static_cast<std::ptrdiff_t>(width) * 4;
    auto* base = static_cast<std::uint8_t*>(bits);
    top_ = bottomUp ? base + rowBytes * (height - 1) : base;
    stride_ = bottomUp ? -rowBytes : rowBytes;
}

void DibSection::Reset() {
    bitmap_.reset();
    top_ = nullptr;
    stride_ = 0;
    width_ = height_ = 0;
}
