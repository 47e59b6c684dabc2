#include "folderbrowser/TKeshShIDList.h"

#include <cstring>

TKeshShIDList::TKeshShIDList(LPCITEMIDLIST parentID, IShellFolder* folder)
    : parentID_(TKeshShID::Copy(parentID)), folder_(ComPtr<IShellFolder>::Share(folder)) {}

TKeshShIDList TKeshShIDList::FromShellIDArray(const void* array, SIZE_T size) {
    // A count, then count + 1 offsets: the parent's list first, then each item's.
    const auto* bytes = static_cast<const BYTE*>(array);
    UINT count = 0;
    if (!array || size < sizeof count) return TKeshShIDList(nullptr);
    std::memcpy(&count, bytes, sizeof count);
    const SIZE_T header = sizeof(UINT) * (static_cast<SIZE_T>(count) + 2);
    if (count > 0xFFFF || header > size) return TKeshShIDList(nullptr);
    auto at = [&](UINT index) -> LPCITEMIDLIST {
        UINT offset = 0;
        std::memcpy(&offset, bytes + sizeof(UINT) * (index + 1), sizeof offset);
        if (offset < header || offset + 2 > size) return nullptr;
        // The whole chain must lie inside the block before it is read as a list.
        for (SIZE_T pos = offset;;) {
            if (pos + 2 > size) return nullptr;
            USHORT length = 0;
            std::memcpy(&length, bytes + pos, sizeof length);
            if (length == 0) break;
            if (length < 2) return nullptr;
            pos += length;
        }
        return reinterpret_cast<LPCITEMIDLIST>(bytes + offset);
    };
    LPCITEMIDLIST parent = at(0);
    if (!parent) return TKeshShIDList(nullptr);
    TKeshShIDList list(parent);
    for (UINT i = 1; i <= count; ++i) {
        if (LPCITEMIDLIST item = at(i)) list.Add(item);
    }
    return list;
}

void TKeshShIDList::Add(LPCITEMIDLIST relative) {
    if (TShIDList copy = TKeshShID::Copy(relative)) items_.push_back(std::move(copy));
}

TShIDList TKeshShIDList::AbsoluteItem(int index) const { return TKeshShID::Concat(ParentID(), Item(index)); }

IShellFolder* TKeshShIDList::Folder() {
    if (!folder_ && parentID_) folder_ = TKeshShID::BindToFolder(parentID_.get());
    return folder_.get();
}

std::vector<LPCITEMIDLIST> TKeshShIDList::Items() const {
    std::vector<LPCITEMIDLIST> items;
    for (const TShIDList& item : items_) items.push_back(item.get());
    return items;
}

ULONG TKeshShIDList::CommonAttributes(ULONG mask) {
    std::vector<LPCITEMIDLIST> items = Items();
    if (!Folder() || items.empty()) return 0;
    ULONG attributes = mask;
    if (FAILED(Folder()->GetAttributesOf(static_cast<UINT>(items.size()), items.data(), &attributes))) return 0;
    return attributes & mask;
}
