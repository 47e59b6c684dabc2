#pragma once
// A shell item shown as a node of the folder tree.
#include "folderbrowser/TKeshShData.h"

class TKeshShTreeNode;

class TKeshShFolderData : public TKeshShData {
public:
    // Where the item is shown: what its node in the tree answers for it.
    class Place {
    public:
        virtual TWinControl* Owner() const = 0;
        virtual int AbsoluteIndex() const = 0;

    protected:
        ~Place() = default;
    };

    // `parentFolder` is the folder that holds the item (null: bound when first needed).
    TKeshShFolderData(TShIDList absolute, ComPtr<IShellFolder> parentFolder = {});

    TKeshShTreeNode* Node() const { return node_; }
    // The node is its place (it hands itself twice, as the node and as the place).
    void SetNode(TKeshShTreeNode* node, const Place* place) {
        node_ = node;
        place_ = place;
    }

    int Index() override;
    TWinControl* OwnerControl() override;

    void Renamed(TShIDList relative) override;

    // The item's own folder, bound once and kept: its children are read through it.
    IShellFolder* Folder();
    // The same folder bound elsewhere already, kept unless this one is bound: Wine takes
    // about 6 ms to bind a folder of 10,000 files, every time.
    void TakeFolder(ComPtr<IShellFolder> folder);

private:
    TKeshShTreeNode* node_ = nullptr;
    const Place* place_ = nullptr;
    ComPtr<IShellFolder> folder_;
    bool folderBound_ = false;
};
