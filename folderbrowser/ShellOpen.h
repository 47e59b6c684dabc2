#pragma once
// What the tree and the list do with an item beyond showing it: following a shortcut to its
// target, and opening it through the shell.
#include <windows.h>

#include "folderbrowser/TKeshShData.h"

// The target of a shortcut when it is a folder; empty otherwise.
TShIDList ResolveLink(TKeshShData& item, HWND owner);
// Opens the item as the shell's default action does.
bool ExecuteItem(TKeshShData& item, HWND owner);
