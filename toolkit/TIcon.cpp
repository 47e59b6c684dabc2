#include "toolkit/TIcon.h"

#include "toolkit/EOSError.h"

void TIcon::SetHandle(HICON icon) {
    if (icon == handle_.get()) return;
    handle_.reset(icon);
    Raise(OnChange, *this);
}

void TIcon::Assign(const TIcon& source) {
    if (&source == this) return;
    HICON copy = nullptr;
    if (source.Handle()) copy = ThrowIfNull(::CopyIcon(source.Handle()));
    SetHandle(copy);
}
