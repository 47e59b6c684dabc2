#include "toolkit/TPicture.h"

#include <windows.h>

#include "toolkit/Exception.h"

void TPicture::SetGraphic(std::unique_ptr<TGraphic> graphic) {
    if (!graphic && !graphic_) return;
    graphic_ = std::move(graphic);
    Changed();
}

TBitmap& TPicture::Bitmap() {
    auto* bitmap = dynamic_cast<TBitmap*>(graphic_.get());
    if (!bitmap) {
        auto fresh = std::make_unique<TBitmap>();
        bitmap = fresh.get();
        graphic_ = std::move(fresh);
    }
    return *bitmap;
}

void TPicture::Assign(const TBitmap& source) {
    Bitmap().Assign(source);
    Changed();
}

void TPicture::LoadFromFile(const std::string& path) {
    // '.' is never the second byte of a double-byte character, so the byte test is safe.
    const std::size_t dot = path.find_last_of(".\\:");
    const std::string extension = dot == std::string::npos || path[dot] != '.' ? "" : path.substr(dot);
    if (::lstrcmpiA(extension.c_str(), ".bmp") != 0)
        throw Exception("この形式の画像は読み込めません (" + extension + "): " + path);
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->LoadFromFile(path);
    SetGraphic(std::move(bitmap));
}

void TPicture::SaveToFile(const std::string& path) const {
    auto* bitmap = dynamic_cast<const TBitmap*>(graphic_.get());
    if (!bitmap) throw Exception("ビットマップがありません");
    bitmap->SaveToFile(path);
}
