#pragma once
// An icon picture that owns its handle and tells its user when the picture changes.
#include <windows.h>

#include "toolkit/TObject.h"
#include "toolkit/UniqueHandle.h"

class TIcon : public TObject {
public:
    TIcon() = default;

    HICON Handle() const { return handle_.get(); }
    bool Empty() const { return !handle_; }
    // Takes ownership of the handle (null empties the icon).
    void SetHandle(HICON icon);
    // A copy of the other icon's picture, or empty when it has none.
    void Assign(const TIcon& source);

    TNotifyEvent OnChange;

private:
    UniqueHicon handle_;
};
