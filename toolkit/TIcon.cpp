#include "toolkit/TIcon.h"

#include "toolkit/EOSError.h"

void TIcon::SetHandle(HICON icon) {
    if (icon == handle_.get()) return;
    handle_.reset(icon);
    width_ = height_ = 0;
    ICONINFO info{};
    if (icon && ::GetIconInfo(icon, &info)) {
        // GetIconInfo hands out copies of both bitmaps.
        UniqueHbitmap mask(info.hbmMask), color(info.hbmColor);
        BITMAP bitmap{};
        if (color) {
            ::GetObjectA(color.get(), sizeof bitmap, &bitmap);
            width_ = bitmap.bmWidth;
            height_ = bitmap.bmHeight;
        } else if (mask) {
            // A monochrome icon keeps the AND and XOR masks one above the other.
            ::GetObjectA(mask.get(), sizeof bitmap, &bitmap);
            width_ = bitmap.bmWidth;
            height_ = bitmap.bmHeight / 2;
        }
    }
    Raise(OnChange, *this);
}

void TIcon::Assign(const TIcon& source) {
    if (&source == this) return;
    HICON copy = nullptr;
    if (source.Handle()) copy = ThrowIfNull(::CopyIcon(source.Handle()));
    SetHandle(copy);
}

void TIcon::LoadFromResourceName(HINSTANCE module, const std::string& name, int size) {
    if (size == 0) size = ::GetSystemMetrics(SM_CXICON);
    HANDLE icon = ::LoadImageA(module, name.c_str(), IMAGE_ICON, size, size, 0);
    ThrowLastErrorIf(icon == nullptr);
    SetHandle(static_cast<HICON>(icon));
}

void TIcon::Draw(HDC dc, int x, int y) const {
    if (handle_) ::DrawIconEx(dc, x, y, handle_.get(), width_, height_, 0, nullptr, DI_NORMAL);
}

void TIcon::StretchDraw(HDC dc, const RECT& rect) const {
    if (handle_) {
        ::DrawIconEx(dc, rect.left, rect.top, handle_.get(), rect.right - rect.left, rect.bottom - rect.top, 0, nullptr,
                     DI_NORMAL);
    }
}
