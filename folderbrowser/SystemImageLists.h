#pragma once
// The system's shared image lists of small and large icons. Their first use makes the shell
// load its icon cache, tens of milliseconds at the start of a run: Prepare starts that on a
// thread of its own while the windows are made, and the first window that attaches the
// lists waits for that thread instead of loading the cache itself.
#include <windows.h>
#include <commctrl.h>

namespace SystemImageLists {
// Starts loading on a worker thread; once a run, on the user-interface thread.
void Prepare();
// Lets that thread go on to the icons every first screen shows. The shell holds its icon
// cache for each icon it loads, so they are best loaded while the user-interface thread
// asks nothing of it (the splash's pause); the thread that Prepare started waits for this.
void LoadCommonIcons();
// The list (never to be destroyed); waits for a load that Prepare started.
HIMAGELIST Get(bool small);
}  // namespace SystemImageLists
