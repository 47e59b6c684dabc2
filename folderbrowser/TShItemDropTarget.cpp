#include "folderbrowser/TShItemDropTarget.h"

#include <shellapi.h>
#include <shlobj.h>

#include "folderbrowser/TKeshShData.h"
#include "toolkit/FilePath.h"

namespace {
ComPtr<IDropTarget> ViewDropTarget(LPCITEMIDLIST folderID, HWND owner) {
    ComPtr<IDropTarget> target;
    ComPtr<IShellFolder> folder = TKeshShID::BindToFolder(folderID);
    if (folder) folder->CreateViewObject(owner, IID_IDropTarget, reinterpret_cast<void**>(target.put()));
    return target;
}

DWORD EffectOf(DWORD effect) {
    // A target names one effect; should it name more, a copy loses nothing.
    if (effect & DROPEFFECT_COPY) return DROPEFFECT_COPY;
    if (effect & DROPEFFECT_MOVE) return DROPEFFECT_MOVE;
    return effect & DROPEFFECT_LINK;
}
}  // namespace

TShItemDropTarget TShItemDropTarget::For(TKeshShData& item, HWND owner) {
    TShItemDropTarget result;
    if (item.Level() == 0) {
        // The Desktop takes drops as its directory does.
        TShIDList directory = TKeshShID::SpecialFolder(sfidDeskTopFolder);
        result.target_ = ViewDropTarget(directory.get(), owner);
    } else if (item.HasAttributes(SFGAO_FOLDER)) {
        // A folder's own view answers for it (its parent does not, under Wine).
        result.target_ = ViewDropTarget(item.AbsoluteID(), owner);
    }
    if (!result.target_ && item.Level() > 0 && item.ParentFolder()) {
        LPCITEMIDLIST relative = item.RelativeID();
        item.ParentFolder()->GetUIObjectOf(owner, 1, &relative, IID_IDropTarget, nullptr,
                                           reinterpret_cast<void**>(result.target_.put()));
    }
    if (!result.target_) return TShItemDropTarget();
    result.absoluteID_ = TKeshShID::Copy(item.AbsoluteID());
    const std::string path = item.Path();
    if (DirectoryExists(path)) result.path_ = path;
    return result;
}

bool TShItemDropTarget::Is(LPCITEMIDLIST absolute) const { return TKeshShID::Equal(absoluteID_.get(), absolute); }

DWORD TShItemDropTarget::Enter(TKeshShDragObject& drag, DWORD keys, POINTL point, DWORD allowed) {
    DWORD effect = allowed;
    if (FAILED(target_->DragEnter(drag.DataObject(), keys, point, &effect))) return DROPEFFECT_NONE;
    effect = allowed;
    if (FAILED(target_->DragOver(keys, point, &effect))) effect = DROPEFFECT_NONE;
    effect = EffectOf(effect & allowed);
    // Moving items into the folder they are in changes nothing.
    if (effect == DROPEFFECT_MOVE && IntoItsOwnFolder(drag)) effect = DROPEFFECT_NONE;
    return effect;
}

DWORD TShItemDropTarget::Query(TKeshShDragObject& drag, DWORD keys, POINTL point, DWORD allowed) {
    if (!target_) return DROPEFFECT_NONE;
    const DWORD effect = Enter(drag, keys, point, allowed);
    target_->DragLeave();
    return effect;
}

DWORD TShItemDropTarget::Drop(TKeshShDragObject& drag, DWORD keys, POINTL point, DWORD allowed, HWND owner) {
    if (!target_) return DROPEFFECT_NONE;
    DWORD effect = Enter(drag, keys, point, allowed);
    if (effect == DROPEFFECT_NONE) {
        target_->DragLeave();
        return DROPEFFECT_NONE;
    }
    if (!path_.empty() && effect != DROPEFFECT_LINK && !drag.FileNames().empty()) {
        target_->DragLeave();
        return MoveOrCopyFiles(drag, effect, owner);
    }
    if (FAILED(target_->Drop(drag.DataObject(), keys, point, &effect))) return DROPEFFECT_NONE;
    return effect;
}

bool TShItemDropTarget::IntoItsOwnFolder(TKeshShDragObject& drag) const {
    if (path_.empty() || drag.FileNames().empty()) return false;
    for (const std::string& name : drag.FileNames()) {
        if (!SameFolder(ExtractFilePath(name), path_)) return false;
    }
    return true;
}

DWORD TShItemDropTarget::MoveOrCopyFiles(TKeshShDragObject& drag, DWORD effect, HWND owner) {
    std::string from;
    for (const std::string& name : drag.FileNames()) {
        from += name;
        from += '\0';
    }
    from += '\0';
    std::string to = path_;
    to += '\0';
    SHFILEOPSTRUCTA operation{};
    operation.hwnd = owner;
    operation.wFunc = effect == DROPEFFECT_MOVE ? FO_MOVE : FO_COPY;
    operation.pFrom = from.c_str();
    operation.pTo = to.c_str();
    operation.fFlags = FOF_ALLOWUNDO;
    // A copy into the items' own folder makes copies beside them.
    if (effect == DROPEFFECT_COPY && IntoItsOwnFolder(drag)) operation.fFlags |= FOF_RENAMEONCOLLISION;
    if (::SHFileOperationA(&operation) != 0 || operation.fAnyOperationsAborted) return DROPEFFECT_NONE;
    return effect;
}
