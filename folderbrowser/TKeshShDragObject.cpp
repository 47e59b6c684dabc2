#include "folderbrowser/TKeshShDragObject.h"

#include <shellapi.h>
#include <shlobj.h>

#include "toolkit/Exception.h"

namespace {
// A global block of the data, locked while the object lives.
class LockedMedium {
public:
    LockedMedium(IDataObject& data, CLIPFORMAT format) {
        FORMATETC wanted{format, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
        if (FAILED(data.GetData(&wanted, &medium_))) return;
        got_ = true;
        if (medium_.tymed == TYMED_HGLOBAL) bytes_ = ::GlobalLock(medium_.hGlobal);
    }
    ~LockedMedium() {
        if (bytes_) ::GlobalUnlock(medium_.hGlobal);
        if (got_) ::ReleaseStgMedium(&medium_);
    }
    LockedMedium(const LockedMedium&) = delete;
    LockedMedium& operator=(const LockedMedium&) = delete;

    const void* Bytes() const { return bytes_; }
    SIZE_T Size() const { return bytes_ ? ::GlobalSize(medium_.hGlobal) : 0; }
    HGLOBAL Global() const { return bytes_ ? medium_.hGlobal : nullptr; }

private:
    STGMEDIUM medium_{};
    bool got_ = false;
    void* bytes_ = nullptr;
};
}  // namespace

TKeshShDragObject::TKeshShDragObject(IDataObject* data) {
    if (!data) throw Exception("パラメータが不正です。");
    data_ = ComPtr<IDataObject>::Share(data);
}

TKeshShIDList& TKeshShDragObject::IDList() {
    if (!idList_) {
        static const CLIPFORMAT shellItems = static_cast<CLIPFORMAT>(::RegisterClipboardFormatA("Shell IDList Array"));
        LockedMedium medium(*data_.get(), shellItems);
        idList_ = std::make_unique<TKeshShIDList>(TKeshShIDList::FromShellIDArray(medium.Bytes(), medium.Size()));
    }
    return *idList_;
}

const std::vector<std::string>& TKeshShDragObject::FileNames() {
    if (fileNamesRead_) return fileNames_;
    fileNamesRead_ = true;
    LockedMedium medium(*data_.get(), CF_HDROP);
    if (!medium.Global()) return fileNames_;
    auto drop = static_cast<HDROP>(medium.Global());
    const UINT count = ::DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        const UINT length = ::DragQueryFileA(drop, i, nullptr, 0);
        std::string name(length + 1, '\0');
        name.resize(::DragQueryFileA(drop, i, name.data(), length + 1));
        if (!name.empty()) fileNames_.push_back(std::move(name));
    }
    return fileNames_;
}

bool TKeshShDragObject::HoldsItemOrAncestorOf(LPCITEMIDLIST absolute) {
    TKeshShIDList& items = IDList();
    const int depth = TKeshShID::Count(absolute);
    for (int i = 0; i < items.Count(); ++i) {
        TShIDList dragged = items.AbsoluteItem(i);
        const int draggedDepth = TKeshShID::Count(dragged.get());
        if (draggedDepth < 1 || draggedDepth > depth) continue;
        // The item's ancestor at the dragged item's depth.
        TShIDList cut = TKeshShID::CopyFirst(absolute, draggedDepth);
        if (TKeshShID::SameItem(dragged.get(), cut.get())) return true;
    }
    return false;
}

bool TKeshShDragObject::ComeFrom(LPCITEMIDLIST folder) {
    TKeshShIDList& items = IDList();
    return items.Count() > 0 && items.ParentID() && folder && TKeshShID::SameItem(items.ParentID(), folder);
}

bool TKeshShDragObject::Holds(LPCITEMIDLIST folder, LPCITEMIDLIST relative) {
    if (!ComeFrom(folder)) return false;
    TKeshShIDList& items = IDList();
    IShellFolder* shellFolder = items.Folder();
    for (int i = 0; i < items.Count(); ++i) {
        if (TKeshShID::Equal(items.Item(i), relative) ||
            TKeshShID::CompareIn(shellFolder, items.Item(i), relative) == TKeshShID::crEqual)
            return true;
    }
    return false;
}
