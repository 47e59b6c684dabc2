#pragma once
// The system's shared image lists of small and large icons. Their first use makes the shell
// load its icon cache, tens of milliseconds at the start of a run and thousands of requests
// to the system, which every window made meanwhile queues behind. At start-up the cache is
// loaded on a thread of its own while the user-interface thread waits anyway (the splash's
// pause): controls made before that are given blank lists of the same sizes, so that their
// items are laid out as they will be shown, and take the system's when they first read
// their items ahead or draw them.
#include <windows.h>
#include <commctrl.h>

#include <initializer_list>

namespace SystemImageLists {
// Until Prepare, controls made take the blank lists for now; once a run, on the
// user-interface thread, before Prepare.
void PrepareLater();
// Starts loading the lists and then the icons every first screen shows on a worker thread;
// once a run, on the user-interface thread.
void Prepare();
// Whether a control made now attaches the lists at once: all but between PrepareLater and
// Prepare.
bool AttachAtOnce();
// The list (never to be destroyed); waits for a load that Prepare started.
HIMAGELIST Get(bool small);
// A list without images, of the size of the system's (kept for the run).
HIMAGELIST Blank(bool small);
// Whether a control holds one of those blank lists (and so still has to take the system's).
bool IsBlank(HIMAGELIST list);

// A control's place for one of the lists: the window messages that get and set it, the
// place's index for them, and the size of the icons it takes.
struct Slot {
    UINT get;
    UINT set;
    WPARAM index;
    bool small;
};
// Gives a control just made the system's lists, or the blank ones while they are left for
// later.
void AttachTo(HWND window, std::initializer_list<Slot> slots);
// Gives the system's lists to a control made with the blank ones (judged by its first slot):
// before the items in view are read before drawing, or drawn.
void AttachLeftForLater(HWND window, std::initializer_list<Slot> slots);
}  // namespace SystemImageLists
