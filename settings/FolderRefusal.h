#pragma once
// Why a folder cannot take the captures, in the words the start button tells the user;
// empty when it can. A folder is refused when none is chosen, when it is the computer's root,
// when its name holds characters this program cannot spell (`unspellable`: the tree holds
// such a folder, whose path therefore came back empty), and when it is gone or no folder:
// refused at once rather than found out at the first capture, and never replaced by another.
#include <string>

std::string FolderRefusal(const std::string& folder, bool unspellable);
