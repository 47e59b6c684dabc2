#pragma once
// Points that the start-up passes: the windows made, the tree filled, the list read. Nobody
// listens in the program itself; the benchmark's own build of the program sets a listener
// to time each step, so the shipped program carries no mode of its own for it.
namespace StartupSteps {
using Listener = void (*)(const char* step);

// Set once, before the start-up begins.
void Listen(Listener listener);
void Reached(const char* step);
}  // namespace StartupSteps
