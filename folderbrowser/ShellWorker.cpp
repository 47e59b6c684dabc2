#include "folderbrowser/ShellWorker.h"

#include <system_error>

#include "toolkit/ComApartment.h"

std::thread StartShellWorker(std::function<void()> work) {
    try {
        return std::thread([work = std::move(work)] {
            try {
                const ComApartment apartment;
                work();
            } catch (...) {
            }
        });
    } catch (const std::system_error&) {
        return std::thread();
    }
}
