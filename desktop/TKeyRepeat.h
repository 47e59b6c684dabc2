#pragma once
// Tells a hotkey's press from the keyboard's repeat while the keys are held, so that one
// press reports once. The keys are registered with MOD_NOREPEAT, which Windows honours;
// this keeps a press single where the flag is not honoured (Wine repeats the hotkey
// regardless).
//
// A press is held once its key is seen down, without a break, until a while after its
// hotkey, and until the key is seen up (TKeyReleaseWatcher looks, on a thread of its own,
// so that a busy user-interface thread misses no release). A hotkey posted while its press
// is held is a repeat; any other is a new press, among them one whose key went down after
// the hotkey was posted. A press whose repeats stopped long ago is over too: a key whose
// release the system never showed (a locked screen) must not keep its hotkey dead.
#include <windows.h>

#include <functional>
#include <map>
#include <optional>

#include "toolkit/TReleasedMutex.h"

class TKeyRepeat {
public:
    // Whether a key is down now; the system's asynchronous key state unless a test says.
    using KeyDown = std::function<bool(UINT virtualKey)>;
    explicit TKeyRepeat(KeyDown keyDown = nullptr);

    // The longest the keyboard waits between a press and its first repeat (1 s at the
    // slowest setting) or between two repeats, with room for a busy thread.
    static constexpr DWORD kLongestRepeatGap = 1500;
    // A key still down this long after its hotkey is held: longer than Wine takes to show a
    // tap's key down and up again, shorter than any keyboard waits before it repeats (250 ms
    // at the quickest setting).
    static constexpr DWORD kHeldAfter = 150;
    // A hotkey of the registration `id`, for `virtualKey`, posted at `time` (the message
    // time): true when it starts a new press. User-interface thread.
    bool Press(int id, UINT virtualKey, DWORD time);
    // Looks at the keys of the presses not yet over at `now`: a key found down is held, one
    // found up after that is released from then on, and so is one whose repeats stopped long
    // ago. True while any press is not over.
    bool Observe(DWORD now);
    // The registration went: its press is forgotten.
    void Forget(int id);

private:
    struct Held {
        UINT virtualKey;
        DWORD startTime;
        DWORD lastTime;
        // When the key was last seen going down, while it has not been seen up since.
        std::optional<DWORD> downSince;
        bool seenHeld;
        std::optional<DWORD> releasedAt;
    };

    KeyDown keyDown_;
    TMutex mutex_;
    std::map<int, Held> presses_;
};
