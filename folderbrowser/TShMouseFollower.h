#pragma once
// The mouse over the items of a folder control (the tree or the list): a press on an item,
// as the control's MouseDownState records it (0 none, 1 left button on an item, 2 right
// button on an item, 3 dragging), the drag that a press may turn into, and the context-menu
// request that only a right press on an item answers.
#include <windows.h>

#include <functional>

enum TShMouseDownState { msNone = 0, msLeftPress = 1, msRightPress = 2, msDragging = 3 };

class TShMouseFollower {
public:
    struct Handlers {
        // Takes note of the item under a press; whether there is one.
        std::function<bool(POINT client)> pressItem;
        // The pointer has left the press point with the left button held: the drag, which
        // returns once the items are dropped or the drag is given up (the state is 3 then).
        std::function<void(POINT client)> drag;
        // The context menu of the pressed item, at a screen point.
        std::function<void(POINT screen)> contextMenu;
    };

    TShMouseFollower(int& state, Handlers handlers) : state_(state), handlers_(std::move(handlers)) {}

    // Follows a message of the control's window; true when it is handled (`result` set).
    // The system's tree and list follow a press themselves (`handle`, their own handling),
    // and may see its release and send the context-menu request before they return. A left
    // press on an item that outlasts that takes the mouse, so every move of a possible drag
    // comes to the control however quickly the pointer leaves it.
    bool Message(HWND window, UINT message, WPARAM wParam, LPARAM lParam, const std::function<LRESULT()>& handle,
                 LRESULT& result);
    // The control's own drag detection saw the pointer go: the drag may start at once.
    void DragNoticed(HWND window);

private:
    int& state_;
    Handlers handlers_;
    POINT press_{};
};
