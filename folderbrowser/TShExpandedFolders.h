#pragma once
// The folders opened in the tree, by their absolute lists: the tree opens them again when it
// is filled anew. A folder closed, gone, or renamed (its list and those below it change) is
// forgotten.
#include <vector>

#include "folderbrowser/TKeshShID.h"

class TShExpandedFolders {
public:
    void Remember(LPCITEMIDLIST folder, bool expanded);
    // Forgets the folder and every folder below it.
    void ForgetBelow(LPCITEMIDLIST ancestor);
    // Forgets the folders that are no longer directories; folders without a path stay.
    void ForgetVanished();
    // A copy, to walk while the tree opens them (which remembers them again).
    std::vector<TShIDList> Copy() const;

private:
    std::vector<TShIDList> folders_;
};
