#include "folderbrowser/TKeshShFolderData.h"

TKeshShFolderData::TKeshShFolderData(TShIDList absolute, ComPtr<IShellFolder> parentFolder)
    : TKeshShData(TShIDList(), TShIDList(), std::move(parentFolder)) {
    relativeID_ = RelativeFor(absolute.get());
    absoluteID_ = std::move(absolute);
}

int TKeshShFolderData::Index() { return place_ ? place_->AbsoluteIndex() : -1; }

TWinControl* TKeshShFolderData::OwnerControl() { return place_ ? place_->Owner() : nullptr; }

IShellFolder* TKeshShFolderData::Folder() {
    if (!folderBound_) {
        folderBound_ = true;
        folder_ = BindFolder();
    }
    return folder_.get();
}

void TKeshShFolderData::TakeFolder(ComPtr<IShellFolder> folder) {
    if (folderBound_ || !folder) return;
    folderBound_ = true;
    folder_ = std::move(folder);
}

void TKeshShFolderData::Renamed(TShIDList relative) {
    TKeshShData::Renamed(std::move(relative));
    // Its own folder is bound again, under the new name, when its children are read.
    folder_.reset();
    folderBound_ = false;
}
