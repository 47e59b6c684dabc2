#include "toolkit/TImageList.h"

#include "toolkit/EOSError.h"

TImageList::TImageList(TComponent* owner, int width, int height) : TComponent(owner), width_(width), height_(height) {
    list_.reset(::ImageList_Create(width, height, ILC_COLOR32 | ILC_MASK, 2, 2));
    if (!list_) throw Exception("ImageList_Create failed");
}

int TImageList::Count() const { return ::ImageList_GetImageCount(list_.get()); }

int TImageList::AddIcon(HICON icon) {
    int index = ::ImageList_AddIcon(list_.get(), icon);
    if (index < 0) throw Exception("ImageList_AddIcon failed");
    return index;
}

int TImageList::Add(HBITMAP picture, HBITMAP mask) {
    int index = ::ImageList_Add(list_.get(), picture, mask);
    if (index < 0) throw Exception("ImageList_Add failed");
    return index;
}

int TImageList::AddMasked(HBITMAP strip, COLORREF transparent) {
    int index = ::ImageList_AddMasked(list_.get(), strip, transparent);
    if (index < 0) throw Exception("ImageList_AddMasked failed");
    return index;
}

void TImageList::Clear() { ::ImageList_Remove(list_.get(), -1); }

UniqueHicon TImageList::GetIcon(int index) const {
    if (index < 0 || index >= Count()) return UniqueHicon();
    return UniqueHicon(::ImageList_GetIcon(list_.get(), index, ILD_NORMAL));
}
