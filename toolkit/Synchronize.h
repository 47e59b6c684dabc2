#pragma once
// Calls from worker threads into the user-interface thread. Synchronize runs a function
// there and waits until it has run; Queue hands it over without waiting. The calls run
// between other messages, in the order they were made, and an error that escapes one is
// shown in the application's error box.
//
// PrepareSynchronize must run once on the user-interface thread before a worker calls in
// (components that own workers call it when they are made).
#include <windows.h>

#include <functional>

void PrepareSynchronize();

// Returns true once the call has run. When `abandon` is signalled before the user-interface
// thread has begun the call, the call is dropped and false returned, so a worker told to
// stop is never left waiting for an owner that waits for it; a call already running is
// waited for.
bool Synchronize(const std::function<void()>& call, HANDLE abandon);

void Queue(std::function<void()> call);
