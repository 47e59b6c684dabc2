#pragma once
// A list of same-sized pictures (32 x 32 unless given otherwise) with transparency,
// handed out as icons. Those that refer to a list ask for FreeNotification.
#include <windows.h>
#include <commctrl.h>

#include "toolkit/TComponent.h"
#include "toolkit/UniqueHandle.h"

namespace handle_detail {
inline void DestroyImageList(HIMAGELIST h) { ::ImageList_Destroy(h); }
}  // namespace handle_detail
using UniqueHimagelist = UniqueHandle<HIMAGELIST, handle_detail::DestroyImageList>;

class TImageList : public TComponent {
public:
    explicit TImageList(TComponent* owner, int width = 32, int height = 32);

    int Width() const { return width_; }
    int Height() const { return height_; }
    int Count() const;
    HIMAGELIST Handle() const { return list_.get(); }

    // Appends a copy of the icon's picture; returns its index.
    int AddIcon(HICON icon);
    // Appends a copy of a picture and its mask (black opaque, white transparent); returns
    // its index.
    int Add(HBITMAP picture, HBITMAP mask);
    // Appends the pictures of a strip as wide as a whole number of images, each pixel of
    // the colour `transparent` left out; returns the index of the first.
    int AddMasked(HBITMAP strip, COLORREF transparent);
    void Clear();
    // A new icon holding picture `index`, owned by the caller.
    UniqueHicon GetIcon(int index) const;

private:
    int width_;
    int height_;
    UniqueHimagelist list_;
};
