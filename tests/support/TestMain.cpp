// Every test executable starts here as the program does (libraries from the system folder,
// one application object, common controls), with a guard that fails a test when a message
// box appears that it did not expect, so a forgotten box never waits for a person.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include "tests/support/TestEnvironment.h"
#include "toolkit/MessageBoxes.h"
#include "toolkit/SystemLibrary.h"
#include "toolkit/TApplication.h"

int main(int argc, char** argv) {
    LoadLibrariesFromSystemFolderOnly();
    ::SetErrorMode(SEM_FAILCRITICALERRORS);
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&controls);
    TApplication application;
    application.SetTitle("Pictavo");
    MessageBoxes::SetHandler([](const MessageBoxRequest& request) {
        ADD_FAILURE() << "unexpected message box \"" << Utf8(request.caption) << "\": " << Utf8(request.text);
        return request.buttons == MB_YESNO ? IDNO : IDCANCEL;
    });
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
