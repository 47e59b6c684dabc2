#pragma once
// When an edit of a label may begin and when its text may rename, for the tree and the list.
//
// The system's tree and list views begin an edit by themselves a while after a click on the
// item that was already selected, as the file manager does, whatever happened meanwhile: on a
// page the user has turned away from, the edit takes the keyboard unseen and the next keys
// rename the item. Such a delayed edit begins only as the user left it: its control still
// shown and focused, and no key pressed, no button pressed anywhere in the program since that
// click. An edit asked for (F2, the shell menu's command: the control's edit message) begins
// as ever. Whatever began it, an edit whose control is hidden by its end renames nothing.
#include <windows.h>

#include <functional>

#include "toolkit/UniqueHandle.h"

class TShRenameGuard {
public:
    TShRenameGuard() = default;
    ~TShRenameGuard() { Disarm(); }
    TShRenameGuard(const TShRenameGuard&) = delete;
    TShRenameGuard& operator=(const TShRenameGuard&) = delete;

    // Follows a message of the control's window before the control handles it; true when it
    // has handled it through `handle` (the control's own handling) and set `result`.
    // `pressOnSelected`: a left press lands on the item that is selected already (and, in the
    // list, focused), after which the control times its edit.
    bool Message(UINT message, bool pressOnSelected, const std::function<LRESULT()>& handle, LRESULT& result);
    // An edit is about to begin in the control: whether it may.
    bool MayBegin(HWND control);
    // An edit in the control ends with a text: whether the text may rename the item.
    static bool MayRename(HWND control) { return ::IsWindowVisible(control) != FALSE; }

private:
    void Arm();
    void Disarm();
    // Every message this thread takes from its queue while a guard is armed: a key or a
    // button pressed disarms it.
    static LRESULT CALLBACK MessageTaken(int code, WPARAM wParam, LPARAM lParam);

    // Inside the control's edit message: the edit was asked for.
    bool asked_ = false;
    // Armed by the press the control times its edit after, for as long as nothing else
    // happens; the hook watches meanwhile. One guard at most is armed: the press that arms
    // one is another click for any other.
    UniqueHhook watch_;
};
