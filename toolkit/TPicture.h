#pragma once
// A component that holds one picture, chosen by file extension when loaded; its owner
// (a window) releases it with everything else it owns. Only bitmaps are known to it.
#include <string>

#include "toolkit/TBitmap.h"
#include "toolkit/TComponent.h"

class TPicture : public TComponent {
public:
    explicit TPicture(TComponent* owner) : TComponent(owner) {}

    TBitmap& Bitmap() { return bitmap_; }
    const TBitmap& Bitmap() const { return bitmap_; }
    const TGraphic& Graphic() const { return bitmap_; }

    void Assign(const TBitmap& source) { bitmap_.Assign(source); }
    void Clear() { bitmap_.Clear(); }
    // ".bmp" in any letter case; any other extension raises an Exception.
    void LoadFromFile(const std::string& path);
    void SaveToFile(const std::string& path) const { bitmap_.SaveToFile(path); }

private:
    TBitmap bitmap_;
};
