#pragma once
// A control that takes drops of shell items (the folder tree and list): its window is
// registered as an OLE drop target, and every drag over it is followed here. The control
// names the place under the pointer (DropTargetAt); that place's shell drop target decides
// the effect, which the control's events see and may change, and carries out the drop.
#include <windows.h>
#include <oleidl.h>

#include <functional>
#include <memory>

#include "folderbrowser/TShItemDropTarget.h"
#include "toolkit/TObject.h"
#include "toolkit/TShiftState.h"

using TShDragEnterEvent = std::function<void(TObject& sender, TKeshShDragObject& drag)>;
// (sender, drag, shift, client x, y, effect): the effect is what the drop would do now.
using TShDragOverEvent =
    std::function<void(TObject& sender, TKeshShDragObject& drag, TShiftState shift, int x, int y, DWORD& effect)>;
// The same, and a default action that, left true, carries out the drop.
using TShDragDropEvent = std::function<void(TObject& sender, TKeshShDragObject& drag, TShiftState shift, int x, int y,
                                            DWORD& effect, bool& defaultAction)>;

class TShDropSite {
public:
    TShDropSite();
    virtual ~TShDropSite();
    TShDropSite(const TShDropSite&) = delete;
    TShDropSite& operator=(const TShDropSite&) = delete;

    TShDragEnterEvent OnShDragEnter;
    TShDragOverEvent OnShDragOver;
    TNotifyEvent OnShDragLeave;
    TShDragDropEvent OnShDragDrop;

    // The drag over the control right now; null between drags.
    TKeshShDragObject* DragObject() const { return drag_.get(); }

protected:
    // The place a drop at this client point would go; empty when the control refuses it.
    virtual TShItemDropTarget DropTargetAt(TKeshShDragObject& drag, POINT client) = 0;
    // Every notice of the pointer over the control (the tree expands and scrolls).
    virtual void DragHover(POINT /*client*/) {}
    // The drag has left or dropped: any highlight goes.
    virtual void DragFinished() {}
    virtual TObject& DragSender() = 0;

    void RegisterDropTarget(HWND window);
    void RevokeDropTarget(HWND window);

private:
    class Target;

    DWORD Enter(IDataObject* data, DWORD keys, POINTL point, DWORD allowed, HWND window);
    DWORD Over(DWORD keys, POINTL point, DWORD allowed, HWND window);
    void Leave();
    DWORD Drop(IDataObject* data, DWORD keys, POINTL point, DWORD allowed, HWND window);

    ComPtr<Target> target_;
    HWND registered_ = nullptr;
    std::unique_ptr<TKeshShDragObject> drag_;
};
