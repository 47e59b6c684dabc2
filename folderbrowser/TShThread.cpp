#include "folderbrowser/TShThread.h"

#include "toolkit/CallbackErrors.h"
#include "toolkit/EOSError.h"

TShThread::TShThread() : wakeEvent_(ManualResetEvent()), stopEvent_(ManualResetEvent()) { FreeOnTerminate = true; }

UniqueKernelHandle TShThread::ManualResetEvent() {
    UniqueKernelHandle event(::CreateEventA(nullptr, TRUE, FALSE, nullptr));
    ThrowLastErrorIf(!event);
    return event;
}

TShThread::~TShThread() { TShThread::Stop(); }

void TShThread::Stop() {
    FreeOnTerminate = false;
    Terminate();
    ::SetEvent(stopEvent_.get());
    WaitFor();
}

TShThread::TWaitResult TShThread::Wait(DWORD timeout) {
    const HANDLE events[] = {wakeEvent_.get(), stopEvent_.get()};
    const DWORD result = ::WaitForMultipleObjects(2, events, FALSE, timeout);
    ::ResetEvent(wakeEvent_.get());
    switch (result) {
        case WAIT_TIMEOUT:
            return wrTimeOut;
        case WAIT_OBJECT_0:
            return wrWoken;
        case WAIT_OBJECT_0 + 1:
            return wrStopped;
        default:
            ReportError(std::make_exception_ptr(EOSError(::GetLastError())));
            return wrFailed;
    }
}

TShThread::TWaitResult TShThread::WaitOnHandles(const std::vector<HANDLE>& handles, DWORD timeout, int& index) {
    // Stop and wake come first: a wait answers the first of its signalled objects, so a
    // handle that keeps firing can never hide them.
    std::vector<HANDLE> all{stopEvent_.get(), wakeEvent_.get()};
    all.insert(all.end(), handles.begin(), handles.end());
    const DWORD result = ::WaitForMultipleObjects(static_cast<DWORD>(all.size()), all.data(), FALSE, timeout);
    if (result == WAIT_TIMEOUT) return wrTimeOut;
    if (result == WAIT_OBJECT_0) return wrStopped;
    if (result == WAIT_OBJECT_0 + 1) {
        ::ResetEvent(wakeEvent_.get());
        return wrWoken;
    }
    if (result > WAIT_OBJECT_0 + 1 && result < WAIT_OBJECT_0 + all.size()) {
        index = static_cast<int>(result - WAIT_OBJECT_0 - 2);
        return wrSignalled;
    }
    ReportError(std::make_exception_ptr(EOSError(::GetLastError())));
    return wrFailed;
}

bool TShThread::SynchronizeCall(const std::function<void()>& call) {
    return Synchronize([&] {
        try {
            call();
        } catch (...) {
            ReportError(std::current_exception());
        }
    });
}
