#pragma once
// Moves the real pointer and presses real mouse buttons, so controls get their input the
// way a user's hand gives it (enter and leave tracking included).
#include <windows.h>

#include <functional>

#include "toolkit/TForm.h"

// A form shown at a known place on top of everything, with the pointer parked outside it.
class StageForm : public TForm {
public:
    StageForm();
    ~StageForm() override;
};

// Puts the pointer at client coordinates of a window.
void MovePointer(HWND window, int x, int y);
// Waits until the condition has held for a while. Inside Wine's virtual desktop a move
// may be followed by a late report of the previous position, which leaves the pointer
// there: the pointer is put back where it was sent for as long as the condition fails.
bool SettleOn(const std::function<bool()>& condition);
// Left button down and up at the position the pointer was last sent to.
void PressLeft();
void ReleaseLeft();
