#pragma once
// The children of a folder as the tree shows them, without a window: read from the shell
// (folders; files and hidden items when asked; of the virtual items only the kinds asked
// for) and sorted by the folder's own order, then merged into the children a node holds, so
// that the children that stay keep what hangs below them.
#include <windows.h>
#include <shlobj.h>

#include <functional>
#include <memory>
#include <vector>

#include "folderbrowser/TKeshShFolderData.h"

class TShNodeChildren {
public:
    // The children a node holds, in their order, wherever they are held (the tree's items).
    class Holder {
    public:
        virtual std::vector<TKeshShFolderData*> Current() = 0;
        // Puts a fresh child before `next`, or after the last child when `next` is null.
        virtual void Insert(TKeshShFolderData* next, std::unique_ptr<TKeshShFolderData> child) = 0;
        virtual void Remove(TKeshShFolderData* child) = 0;

    protected:
        ~Holder() = default;
    };

    bool includeFiles = false;
    bool includeHidden = true;
    TShVirtuaItems shown = kDefaultVirtuaItems;
    // Whether a fresh child is taken; every child when unset.
    std::function<bool(TKeshShFolderData& child)> accept;
    // A reading of the folder made elsewhere just now, taken instead of reading it again:
    // the relative lists of the children that the SHCONTF flags ask for, the folder as it
    // was bound there (or null), and true.
    std::function<bool(TKeshShFolderData& parent, SHCONTF flags, std::vector<TShIDList>& relatives,
                       ComPtr<IShellFolder>& folder)>
        known;

    // The children of the folder, sorted; none when it cannot be read.
    std::vector<std::unique_ptr<TKeshShFolderData>> Read(TKeshShFolderData& parent, HWND owner) const;
    // Brings the held children in line with what the folder holds now: equal → kept;
    // a held child that sorts after a fresh one → the fresh one goes before it; a held
    // child that sorts before, or that cannot be compared → removed; what is left of the
    // fresh ones goes at the end, what is left of the held ones goes.
    void Merge(TKeshShFolderData& parent, HWND owner, Holder& holder) const;

private:
    class Steps;
};
