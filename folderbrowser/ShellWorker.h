#pragma once
// A short worker thread for shell work whose result its starter waits for (join): the
// work runs in a COM apartment of its own, so it binds its own folders and touches no
// object of the user-interface thread. Nothing may leave a thread's entry: an error ends
// the work quietly and the starter does without its result. When no thread can be
// started, the thread returned is not joinable.
#include <functional>
#include <thread>

std::thread StartShellWorker(std::function<void()> work);
