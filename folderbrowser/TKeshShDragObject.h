#pragma once
// What is being dragged over a control, as the shell's data object carries it: the shell
// items (when they come from the shell's namespace) and the file names.
#include <windows.h>
#include <objidl.h>

#include <memory>
#include <string>
#include <vector>

#include "folderbrowser/TKeshShIDList.h"

class TKeshShDragObject {
public:
    // Raises Exception("パラメータが不正です。") without a data object.
    explicit TKeshShDragObject(IDataObject* data);

    IDataObject* DataObject() const { return data_.get(); }
    // The dragged shell items with their folder; empty (no parent) when the data holds none.
    TKeshShIDList& IDList();
    // The dragged items' file-system paths; empty when the data holds none.
    const std::vector<std::string>& FileNames();

    // Whether one of the dragged items is this item or one of its ancestors.
    bool HoldsItemOrAncestorOf(LPCITEMIDLIST absolute);
    // Whether the dragged items are children of this folder.
    bool ComeFrom(LPCITEMIDLIST folder);
    // Whether this item (a child of `folder`) is one of the dragged items.
    bool Holds(LPCITEMIDLIST folder, LPCITEMIDLIST relative);

private:
    ComPtr<IDataObject> data_;
    std::unique_ptr<TKeshShIDList> idList_;
    std::vector<std::string> fileNames_;
    bool fileNamesRead_ = false;
};
