#pragma once
// The root of the folder tree: a special folder (UsesID) or a path. Any change is announced
// through OnChange, on which the tree rebuilds itself.
#include <string>

#include "folderbrowser/TKeshShID.h"
#include "toolkit/TObject.h"

class TKeshShRoot : public TObject {
public:
    TShSpecialFolderID RootFolderID() const { return rootFolderID_; }
    void SetRootFolderID(TShSpecialFolderID value);
    const std::string& RootPath() const { return rootPath_; }
    void SetRootPath(const std::string& value);
    bool UsesID() const { return usesID_; }
    void SetUsesID(bool value);

    // The root's absolute list, or empty when it cannot be made.
    TShIDList RootID() const;

    TNotifyEvent OnChange;

private:
    TShSpecialFolderID rootFolderID_ = sfidDeskTop;
    std::string rootPath_;
    bool usesID_ = true;
};
