#pragma once
// Runs an operation whose failures are EOSErrors and makes sure that the failure's code is
// in GetLastError when the exception leaves it. Memory freed while the stack unwinds may
// reset the thread's last error (Wine's heap does), so the code is put back once every
// local of the operation has been destroyed.
#include <windows.h>

#include "toolkit/EOSError.h"

template <typename Operation>
decltype(auto) LastErrorOnFailure(Operation&& operation) {
    try {
        return operation();
    } catch (const EOSError& error) {
        ::SetLastError(error.Code());
        throw;
    }
}
