#include "toolkit/Synchronize.h"

#include <memory>
#include <mutex>

#include "toolkit/EOSError.h"
#include "toolkit/MessageBoxes.h"
#include "toolkit/TUtilityWindow.h"
#include "toolkit/UniqueHandle.h"

namespace {
constexpr UINT kRunCall = WM_APP + 2;

struct PendingCall {
    enum class State { pending, running, done, dropped };
    std::function<void()> call;
    std::mutex mutex;
    State state = State::pending;
    UniqueKernelHandle done;  // null for queued calls: nobody waits
};

void RunCall(PendingCall& pending) {
    {
        std::lock_guard lock(pending.mutex);
        if (pending.state == PendingCall::State::dropped) return;
        pending.state = PendingCall::State::running;
    }
    try {
        pending.call();
    } catch (const std::exception& error) {
        MessageBoxes::ApplicationError(error.what());
    } catch (...) {
        MessageBoxes::ApplicationError("Unknown error");
    }
    std::lock_guard lock(pending.mutex);
    pending.state = PendingCall::State::done;
    if (pending.done) ::SetEvent(pending.done.get());
}

TUtilityWindow* callWindow = nullptr;

// Each posted message carries one reference to its call; the window takes it back.
bool Post(const std::shared_ptr<PendingCall>& pending) {
    auto* reference = new std::shared_ptr<PendingCall>(pending);
    if (callWindow && ::PostMessageA(callWindow->Handle(), kRunCall, 0, reinterpret_cast<LPARAM>(reference)))
        return true;
    delete reference;
    return false;
}
}  // namespace

void PrepareSynchronize() {
    if (callWindow) return;
    // Lives for the rest of the run, like the thread that owns it.
    callWindow = new TUtilityWindow([](UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
        if (message != kRunCall) return ::DefWindowProcA(callWindow->Handle(), message, wParam, lParam);
        std::unique_ptr<std::shared_ptr<PendingCall>> reference(
            reinterpret_cast<std::shared_ptr<PendingCall>*>(lParam));
        RunCall(**reference);
        return 0;
    });
}

bool Synchronize(const std::function<void()>& call, HANDLE abandon) {
    auto pending = std::make_shared<PendingCall>();
    pending->call = call;
    pending->done.reset(::CreateEventA(nullptr, TRUE, FALSE, nullptr));
    ThrowLastErrorIf(!pending->done);
    if (!Post(pending)) return false;
    const HANDLE events[] = {pending->done.get(), abandon};
    if (::WaitForMultipleObjects(abandon ? 2 : 1, events, FALSE, INFINITE) == WAIT_OBJECT_0) return true;
    {
        std::lock_guard lock(pending->mutex);
        if (pending->state == PendingCall::State::pending) {
            pending->state = PendingCall::State::dropped;
            return false;
        }
    }
    ::WaitForSingleObject(pending->done.get(), INFINITE);
    return true;
}

void Queue(std::function<void()> call) {
    auto pending = std::make_shared<PendingCall>();
    pending->call = std::move(call);
    Post(pending);
}
