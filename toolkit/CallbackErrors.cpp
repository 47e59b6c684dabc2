#include "toolkit/CallbackErrors.h"

#include "toolkit/UserInterfaceQueue.h"

void ReportError(std::exception_ptr error) noexcept {
    try {
        UserInterfaceQueue::Instance().Post([error] { std::rethrow_exception(error); });
    } catch (...) {
        // Out of memory while queueing: there is no way left to tell anyone.
    }
}
