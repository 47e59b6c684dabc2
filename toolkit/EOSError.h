#pragma once
// A failed operating-system call: carries the error code and the system's text for it.
#include <windows.h>

#include <string>

#include "toolkit/Exception.h"

class EOSError : public Exception {
public:
    explicit EOSError(DWORD code);
    EOSError(DWORD code, const std::string& message) : Exception(message), code_(code) {}

    DWORD Code() const { return code_; }

    // The system's message text for a code, without the trailing line break; a text that
    // names the code when the system has none. The one place such a text is made.
    static std::string SystemText(DWORD code);
    // A failed COM result: the result as its code and the system's text for it (for a
    // system error wrapped in a result, that error's text).
    static EOSError FromResult(HRESULT result);

private:
    DWORD code_;
};

// One-line checks that turn a failed call into an EOSError with GetLastError().
// BOOL and pointers are kept apart so a wrong check does not compile quietly.
void ThrowLastErrorIf(bool failed);
inline void ThrowIfFalse(BOOL result) { ThrowLastErrorIf(result == FALSE); }
template <typename T>
T* ThrowIfNull(T* pointer) {
    ThrowLastErrorIf(pointer == nullptr);
    return pointer;
}
// A failed COM result: throws EOSError::FromResult.
void ThrowIfFailed(HRESULT result);
