#pragma once
// Real mouse and key input for the browser tests, from the host's xdotool. A pop-up menu
// and a drag each run a loop of their own inside one of the control's message handlers,
// so the input is given from another thread while this one goes on handling messages.
#include <windows.h>
#include <commctrl.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <vector>

// The screen point of a client point of a window, as "x y" for xdotool.
std::string ScreenAt(HWND window, POINT client);
// The middle of a list row's label and of a tree node's label, in client coordinates.
POINT RowPoint(HWND list, int row);
POINT NodePoint(HWND tree, HTREEITEM item);

// Runs the steps on another thread and handles messages here until they end; their result.
// Whatever they leave pressed, the mouse's left button and Ctrl are let go at the end.
bool RunInput(const std::function<bool()>& steps);
// Runs xdotool with the arguments (on the calling thread; from the test's own thread
// through RunInput).
bool XdoNow(const std::string& arguments);
bool Xdo(const std::string& arguments);
// For input steps: waits until the condition (set by the program's handlers) holds.
bool AwaitFlag(const std::function<bool()>& condition);

// Watches, on a thread of its own, for the next pop-up menu of this program, reads its
// captions and clicks the first that starts with `caption` (an empty caption closes the
// menu with Escape). With `confirm` it then answers the shell's confirmation box with its
// "はい(&Y)" button.
class MenuChooser {
public:
    MenuChooser(std::string caption, bool confirm);
    ~MenuChooser();
    MenuChooser(const MenuChooser&) = delete;
    MenuChooser& operator=(const MenuChooser&) = delete;

    bool Done() const { return done_; }
    // Whether the chosen item was found and clicked (and the box answered when asked for).
    bool Succeeded() const { return succeeded_; }
    // The captions the menu showed (separators as "-").
    std::vector<std::string> Captions() const;

private:
    void Run();

    std::string caption_;
    bool confirm_;
    std::vector<std::string> captions_;
    std::atomic<bool> done_{false};
    std::atomic<bool> succeeded_{false};
    std::atomic<bool> stop_{false};
    std::thread thread_;
};
