#include "folderbrowser/TKeshShRoot.h"

void TKeshShRoot::SetRootFolderID(TShSpecialFolderID value) {
    if (value == rootFolderID_) return;
    rootFolderID_ = value;
    Raise(OnChange, *this);
}

void TKeshShRoot::SetRootPath(const std::string& value) {
    if (value == rootPath_) return;
    rootPath_ = value;
    Raise(OnChange, *this);
}

void TKeshShRoot::SetUsesID(bool value) {
    if (value == usesID_) return;
    usesID_ = value;
    Raise(OnChange, *this);
}

TShIDList TKeshShRoot::RootID() const {
    if (!usesID_) return TKeshShID::FromPath(rootPath_);
    if (rootFolderID_ == sfidDeskTop) return TKeshShID::Allocate(2);
    return TKeshShID::SpecialFolder(rootFolderID_);
}
