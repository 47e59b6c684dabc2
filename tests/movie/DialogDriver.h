#pragma once
// Answers the system's modal dialogs the way a user would, from a timer on the user-interface
// thread (the dialogs run their own message loop there): find the dialog by its title, pick
// an entry of a list, press a button.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "toolkit/TTimer.h"

struct ChildWindow {
    HWND window;
    std::string className;
    std::string text;
    int id;
};

// Visible dialogs ("#32770") of this thread whose title is `title` (any title when empty).
HWND FindDialog(const std::string& title = "");
std::vector<ChildWindow> Children(HWND dialog);
// The first child whose class is `className` (case-insensitive) and, when given, whose text is `text`.
HWND FindChild(HWND dialog, const std::string& className, const std::string& text = "");
// Selects the entry of a combo box that starts with `prefix` and tells the dialog, as a user's
// choice does. False when there is no such entry.
bool SelectComboEntry(HWND combo, const std::string& prefix);
std::vector<std::string> ComboEntries(HWND combo);
// Presses a button through the dialog, as a click does.
void PressButton(HWND dialog, int id);
void PressButton(HWND button);

// Runs `answer` once for each new dialog with the title (polled every 20 ms while alive).
class DialogAnswerer {
public:
    DialogAnswerer(std::string title, std::function<void(HWND dialog)> answer);
    int Answered() const { return answered_; }

private:
    std::string title_;
    std::function<void(HWND)> answer_;
    std::vector<HWND> seen_;
    int answered_ = 0;
    std::unique_ptr<TTimer> timer_;
};
