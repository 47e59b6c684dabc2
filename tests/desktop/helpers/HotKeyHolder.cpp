// Holds one system-wide hotkey in a process of its own, for the tests that need a key
// combination taken by another program.
//   hotkey_holder <modifiers> <virtual key> <ready event> <quit event>
// Signals the ready event once the key is held, then holds it until the quit event (at
// most a minute). Exits with 2 when the key cannot be registered.
#include <windows.h>

#include <cstdlib>

int main(int argc, char** argv) {
    if (argc != 5) return 1;
    const UINT modifiers = static_cast<UINT>(std::strtoul(argv[1], nullptr, 0));
    const UINT key = static_cast<UINT>(std::strtoul(argv[2], nullptr, 0));
    if (!::RegisterHotKey(nullptr, 1, modifiers, key)) return 2;
    HANDLE ready = ::OpenEventA(EVENT_MODIFY_STATE, FALSE, argv[3]);
    HANDLE quit = ::OpenEventA(SYNCHRONIZE, FALSE, argv[4]);
    if (!ready || !quit) return 1;
    ::SetEvent(ready);
    ::WaitForSingleObject(quit, 60000);
    return 0;
}
