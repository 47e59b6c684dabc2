#pragma once
// Brings a sorted sequence of existing entries in line with a freshly read sorted sequence,
// keeping the entries that are still there (so what hangs below them survives): equal →
// keep; existing greater → insert the new one before it; existing less, or a comparison
// that fails → remove the existing one; new ones left over are appended, existing ones
// left over removed.
#include "folderbrowser/TKeshShID.h"

template <typename Existing, typename Fresh, typename Ops>
void MergeSorted(Existing existing, Existing end, Fresh fresh, Fresh freshEnd, Ops& ops) {
    while (existing != end && fresh != freshEnd) {
        switch (ops.Compare(*existing, *fresh)) {
            case TKeshShID::crEqual:
                ops.Keep(*existing++, *fresh++);
                break;
            case TKeshShID::crGreater:
                ops.InsertBefore(*existing, *fresh++);
                break;
            default:
                ops.Remove(*existing++);
                break;
        }
    }
    for (; fresh != freshEnd; ++fresh) ops.Append(*fresh);
    for (; existing != end; ++existing) ops.Remove(*existing);
}
