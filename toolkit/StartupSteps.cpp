#include "toolkit/StartupSteps.h"

namespace {
StartupSteps::Listener listener = nullptr;
}

void StartupSteps::Listen(Listener value) { listener = value; }

void StartupSteps::Reached(const char* step) {
    if (listener) listener(step);
}
