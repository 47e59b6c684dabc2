#include "desktop/TSingleClick.h"

TSingleClick::TSingleClick() { FreeOnTerminate = true; }

TSingleClick::~TSingleClick() {
    Terminate();
    WaitFor();
}

void TSingleClick::Execute() { Sleep(Wait()); }
