#pragma once
// Another process (tests' hotkey_holder.exe, beside the test) holding a key combination
// until the object goes away.
#include <windows.h>

#include "toolkit/UniqueHandle.h"

class HeldElsewhere {
public:
    HeldElsewhere(UINT modifiers, UINT key);
    ~HeldElsewhere();
    HeldElsewhere(const HeldElsewhere&) = delete;
    HeldElsewhere& operator=(const HeldElsewhere&) = delete;

    bool Held() const { return held_; }

private:
    UniqueKernelHandle ready_, quit_, process_;
    bool held_ = false;
};

// Whether any process could register the combination now (it is held by nobody).
bool FreeToRegister(UINT modifiers, UINT key);
