#pragma once
// A place that dragged items can be dropped into: a folder item (the Desktop included)
// and the shell's drop target for it, which decides the effect. The system's shell under
// Wine answers the effect but carries out no drop into a file-system folder, so the files
// of such a drop are moved or copied here, as the shell would.
#include <windows.h>
#include <oleidl.h>

#include <string>

#include "folderbrowser/TKeshShDragObject.h"

class TKeshShData;

class TShItemDropTarget {
public:
    TShItemDropTarget() = default;
    // The drop target of an item; empty when the item offers none.
    static TShItemDropTarget For(TKeshShData& item, HWND owner);

    explicit operator bool() const { return static_cast<bool>(target_); }
    // Whether this is the drop target of that item.
    bool Is(LPCITEMIDLIST absolute) const;

    // The effect a drop would have now (the shell's target is entered, asked and left).
    DWORD Query(TKeshShDragObject& drag, DWORD keys, POINTL point, DWORD allowed);
    // Carries out the drop; the effect that took place.
    DWORD Drop(TKeshShDragObject& drag, DWORD keys, POINTL point, DWORD allowed, HWND owner);

private:
    DWORD Enter(TKeshShDragObject& drag, DWORD keys, POINTL point, DWORD allowed);
    bool IntoItsOwnFolder(TKeshShDragObject& drag) const;
    DWORD MoveOrCopyFiles(TKeshShDragObject& drag, DWORD effect, HWND owner);

    ComPtr<IDropTarget> target_;
    TShIDList absoluteID_;
    std::string path_;  // a file-system folder's path, else empty
};
