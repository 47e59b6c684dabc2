#pragma once
// Holds one graphic (bitmap or icon) or none, and says when it changes. As a component it
// can belong to a window that releases it with everything else it owns; loading from a
// file chooses the graphic by the file's extension (only bitmaps are known).
#include <memory>
#include <string>

#include "toolkit/TBitmap.h"
#include "toolkit/TComponent.h"
#include "toolkit/TGraphic.h"

class TPicture : public TComponent {
public:
    explicit TPicture(TComponent* owner = nullptr) : TComponent(owner) {}

    TGraphic* Graphic() const { return graphic_.get(); }
    void SetGraphic(std::unique_ptr<TGraphic> graphic);
    void Clear() { SetGraphic(nullptr); }

    bool Empty() const { return !graphic_ || graphic_->Empty(); }
    int Width() const { return graphic_ ? graphic_->Width() : 0; }
    int Height() const { return graphic_ ? graphic_->Height() : 0; }

    // The graphic as a bitmap; any other graphic is replaced by an empty bitmap first.
    TBitmap& Bitmap();
    // Takes a copy of the bitmap (shared until one side is drawn into).
    void Assign(const TBitmap& source);
    // ".bmp" in any letter case; any other extension raises an Exception.
    void LoadFromFile(const std::string& path);
    // Only a bitmap can be saved; raises an Exception otherwise.
    void SaveToFile(const std::string& path) const;

    // For whoever changed the graphic in place.
    void Changed() { Raise(OnChange, *this); }

    TNotifyEvent OnChange;

private:
    std::unique_ptr<TGraphic> graphic_;
};
