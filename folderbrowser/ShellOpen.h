#pragma once
// What the tree and the list do with an item beyond showing it: its overlay picture,
// following a shortcut to its target, and opening it through the shell.
#include <windows.h>

#include "folderbrowser/TKeshShData.h"

// Overlay image of the system image list: the item's overlay interface when the folder
// offers one, else 1 for a shared item, 2 for a shortcut, 0 for none.
int OverlayOf(TKeshShData& item);
// The target of a shortcut when it is a folder; empty otherwise.
TShIDList ResolveLink(TKeshShData& item, HWND owner);
// Opens the item as the shell's default action does.
bool ExecuteItem(TKeshShData& item, HWND owner);
