#pragma once
// The standard mutexes never destroy their pthread mutex: on Linux that costs nothing, but
// the Windows threads library gives a mutex a kernel event the first time two threads meet on
// it and keeps it until the mutex is destroyed. Objects made again and again (watcher
// threads, workers, icons) would leave one event behind each time; these free it with them.
#include <pthread.h>

#include <mutex>

template <class Mutex>
class TReleasedMutex : public Mutex {
public:
    TReleasedMutex() = default;
    TReleasedMutex(const TReleasedMutex&) = delete;
    TReleasedMutex& operator=(const TReleasedMutex&) = delete;
    ~TReleasedMutex() { ::pthread_mutex_destroy(this->native_handle()); }
};

using TMutex = TReleasedMutex<std::mutex>;
using TRecursiveMutex = TReleasedMutex<std::recursive_mutex>;
