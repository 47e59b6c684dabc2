#pragma once
// Tells a hotkey's press from the keyboard's repeat while the keys are held, so that one
// press reports once. The keys are registered with MOD_NOREPEAT, which Windows honours;
// this keeps a press single where the flag is not honoured (Wine repeats the hotkey
// regardless).
//
// A press lasts until its key is seen up (TKeyReleaseWatcher looks, on a thread of its
// own, so that a busy user-interface thread does not miss a release). A hotkey posted
// before that is a repeat; one posted after it is a new press. A press whose repeats
// stopped long ago is over too: a key whose release the system never showed (a locked
// screen) must not keep its hotkey dead.
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
    // A press whose key was never seen down is over this long after its hotkey: under Wine
    // the key shows down only a while after its hotkey was posted, and a quick tap may never
    // show at all.
    static constexpr DWORD kUnseenPressTime = 80;

    // A hotkey of the registration `id`, for `virtualKey`, posted at `time` (the message
    // time): true when it starts a new press. User-interface thread.
    bool Press(int id, UINT virtualKey, DWORD time);
    // Looks at the keys of the presses still held at `now`: a key found up (once seen down,
    // or long enough after its hotkey), or whose repeats stopped long ago, is released from
    // then on. True while any press is still held.
    bool Observe(DWORD now);
    // The registration went: its press is forgotten.
    void Forget(int id);

private:
    struct Held {
        UINT virtualKey;
        DWORD lastTime;
        bool seenDown;
        std::optional<DWORD> releasedAt;
    };

    KeyDown keyDown_;
    TMutex mutex_;
    std::map<int, Held> presses_;
};
