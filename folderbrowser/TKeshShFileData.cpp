#include "folderbrowser/TKeshShFileData.h"

TKeshShFileData::TKeshShFileData(Contents& list, TShIDList relative)
    : TKeshShData(TShIDList(), std::move(relative), ComPtr<IShellFolder>()), list_(list) {}

int TKeshShFileData::Index() { return list_.IndexOf(this); }

TWinControl* TKeshShFileData::OwnerControl() { return list_.Owner(); }

LPCITEMIDLIST TKeshShFileData::AbsoluteID() {
    if (!absoluteID_) absoluteID_ = Concat(list_.FolderID(), RelativeID());
    return absoluteID_.get();
}

IShellFolder* TKeshShFileData::ParentFolder() { return list_.Folder(); }

const std::vector<std::string>& TKeshShFileData::DetailTexts() {
    if (!detailsRead_) {
        detailsRead_ = true;
        detailTexts_ = list_.ReadDetails(*this);
    }
    return detailTexts_;
}

void TKeshShFileData::Renamed(TShIDList relative) {
    TKeshShData::Renamed(std::move(relative));
    // A new extension may bring a new type.
    detailsRead_ = false;
    detailTexts_.clear();
}
