#include "capture/RaisedDpiAwareness.h"

namespace {
// DPI_AWARENESS_CONTEXT is a handle type the compiler's headers may not know; its values
// are fixed by the system.
using AwarenessContext = HANDLE;
using SetContextFunction = AwarenessContext(WINAPI*)(AwarenessContext);

const AwarenessContext kPerMonitorAwareV2 = reinterpret_cast<AwarenessContext>(-4);
const AwarenessContext kPerMonitorAware = reinterpret_cast<AwarenessContext>(-3);

// Looked up by name: systems before Windows 10 (1607) do not have it.
SetContextFunction SetThreadContext() {
    static const auto function = reinterpret_cast<SetContextFunction>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("user32.dll"), "SetThreadDpiAwarenessContext")));
    return function;
}
}  // namespace

RaisedDpiAwareness::RaisedDpiAwareness() {
    const SetContextFunction set = SetThreadContext();
    if (!set) return;
    // The second version is the better one where it exists; the first one gives the same
    // pixels for a capture.
    previous_ = set(kPerMonitorAwareV2);
    if (!previous_) previous_ = set(kPerMonitorAware);
}

RaisedDpiAwareness::~RaisedDpiAwareness() {
    if (previous_) SetThreadContext()(previous_);
}
