#pragma once
// A shell item shown as a node of the folder tree.
#include "folderbrowser/TKeshShData.h"

class TKeshShTreeNode;

class TKeshShFolderData : public TKeshShData {
public:
    // `parentFolder` is the folder that holds the item (null: bound when first needed).
    TKeshShFolderData(TShIDList absolute, ComPtr<IShellFolder> parentFolder = {});

    TKeshShTreeNode* Node() const { return node_; }
    void SetNode(TKeshShTreeNode* node) { node_ = node; }

    int Index() override;
    TWinControl* OwnerControl() override;

    void Renamed(TShIDList relative) override;

    // The item's own folder, bound once and kept: its children are read through it.
    IShellFolder* Folder();

private:
    TKeshShTreeNode* node_ = nullptr;
    ComPtr<IShellFolder> folder_;
    bool folderBound_ = false;
};
