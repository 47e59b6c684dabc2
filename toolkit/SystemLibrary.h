#pragma once
// Libraries of the system, taken from the system folder alone. The program is unpacked and
// run from folders the user can write to (Downloads): a library of a system name lying
// there would otherwise be found first and run inside the program.
#include <windows.h>

// Loads a library of the system by its name ("dwmapi.dll") from the system folder; null
// when it is not there. Nothing in the program frees what it loads this way.
HMODULE LoadSystemLibrary(const char* name);

// From now on every library loaded by name, by the program, on its behalf by the system's
// own libraries, and on a delay-loaded import's first call, comes from the system folder.
// Called first thing at start, before anything loads a library.
void LoadLibrariesFromSystemFolderOnly();
