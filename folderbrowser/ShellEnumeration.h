#pragma once
// Reading a folder's children, shared by the tree and the list: the enumeration itself and
// the rule that hides virtual items the control is not asked to show.
#include <windows.h>
#include <shlobj.h>

#include <functional>

#include "folderbrowser/TKeshShData.h"

// Calls `child` with each child's relative identifier, one at a time, until the end or a
// failure. Returns false when the enumeration could not be started.
bool EnumerateChildren(IShellFolder* folder, HWND owner, SHCONTF flags, const std::function<void(TShIDList)>& child);

// Whether the parent's kind makes its children subject to the virtual-item filter at all.
bool FiltersVirtualChildren(TShVirtuaItem parentKind);
// Whether a child of a parent of the given kind is shown under the set of shown kinds.
bool KeepsVirtualChild(TShVirtuaItem parentKind, TKeshShData& child, TShVirtuaItems shown);
