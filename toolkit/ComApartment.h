#pragma once
// The calling thread in a single-threaded COM apartment for the owner's life: a worker that
// uses shell objects of its own. It leaves the apartment only if joining it succeeded.
#include <objbase.h>

class ComApartment {
public:
    ComApartment() : joined_(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ~ComApartment() {
        if (joined_) ::CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

private:
    bool joined_;
};
