#pragma once
// No exception may leave a function that the system calls (window procedures, enumeration
// callbacks, hooks, thread entry points, progress callbacks): the stack is unwound with
// tables that the system's own frames do not have, and the program would end. Nor may the
// error be lost. Such a function runs its body through one of these:
//
// - ReportError, Guarded: where nobody can take the error back (thread entry points, hooks,
//   progress callbacks). It is shown in the application's error box on the user-interface
//   thread, from whichever thread it came, as soon as that thread handles messages.
// - HeldError: for a callback that runs inside a system call the program made itself
//   (EnumChildWindows and the like). The error is kept while the system finishes and thrown
//   again by the code that made the call, which then handles it as any other.
#include <exception>
#include <utility>

// From any thread; returns at once.
void ReportError(std::exception_ptr error) noexcept;

// Runs the body; an error it throws is reported (above) and onError answered instead.
template <typename Result, typename Body>
Result Guarded(Result onError, Body&& body) noexcept {
    try {
        return body();
    } catch (...) {
        ReportError(std::current_exception());
        return onError;
    }
}

class HeldError {
public:
    // Runs the body; an error it throws is kept (the first, when several are) and onError
    // answered instead, which should make the system stop calling back.
    template <typename Result, typename Body>
    Result Run(Result onError, Body&& body) noexcept {
        try {
            return body();
        } catch (...) {
            if (!error_) error_ = std::current_exception();
            return onError;
        }
    }
    // After the system call: throws the kept error, if there is one.
    void Rethrow() {
        if (error_) std::rethrow_exception(std::exchange(error_, nullptr));
    }

private:
    std::exception_ptr error_;
};
