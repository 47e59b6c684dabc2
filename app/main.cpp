// Pictavo's entry point: the splash picture while the windows are made, then the message
// loop until the main window closes.
#include <windows.h>
#include <commctrl.h>

#include "app/TForm1.h"
#include "app/TfrmSplash.h"
#include "folderbrowser/SystemImageLists.h"
#include "settings/TForm2.h"
#include "settings/TSavedSettings.h"
#include "settings/TfrmVersion.h"
#include "toolkit/MessageBoxes.h"
#include "toolkit/PumpMessages.h"
#include "toolkit/StartupSteps.h"
#include "toolkit/SystemLibrary.h"
#include "toolkit/TApplication.h"

namespace {
// Start-up in its order: splash, main window, version dialog, settings window, a pause,
// then the message loop.
void Run(TApplication& application) {
    auto* splash = new TfrmSplash(&application);
    // The settings file is read once, here, for the settings window. The saved folder, which
    // the window's list shows first, is read on another thread from now on: a folder of
    // thousands of files takes longer than showing the splash and making the windows
    // together. Not before the splash is made, which turns the system's critical-error boxes
    // off (a drive without a medium).
    TSavedSettings saved = TSavedSettings::Read(TSettingsFile::BesideExecutable(), true);
    splash->Show();
    splash->Repaint();
    PumpMessages();
    StartupSteps::Reached("splash shown");
    // The shell's icon cache loads during the pause below, not while the windows are made:
    // its requests to the system would hold up every window's. The folder controls take the
    // lists once it is loaded.
    SystemImageLists::PrepareLater();

    auto* main = application.CreateForm<TForm1>();
    StartupSteps::Reached("TForm1 made");
    application.CreateForm<TfrmVersion>();
    StartupSteps::Reached("version window made");
    auto* settings = application.CreateForm<TForm2>(std::move(saved));
    main->ConnectSettingsWindow(*settings);
    StartupSteps::Reached("TForm2 made, settings read");

    // The splash stays up, untouched, for a moment after the windows are ready; the icon
    // cache and the icons the settings window shows first are loaded meanwhile on threads.
    settings->ReadShownItemsDuring(700);
    StartupSteps::Reached("shown rows read");
    PumpMessages();
    splash->Hide();
    delete splash;
    StartupSteps::Reached("splash gone");

    application.Run();
}
}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    LoadLibrariesFromSystemFolderOnly();
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&controls);
    // Whatever cannot be made ends the program after saying why, under the program's title
    // while the application object stands; nothing may leave WinMain, whose caller is the
    // system.
    try {
        TApplication application;
        application.SetTitle("Pictavo");
        try {
            Run(application);
        } catch (...) {
            MessageBoxes::ApplicationError(std::current_exception());
            return 1;
        }
    } catch (...) {
        MessageBoxes::ApplicationError(std::current_exception());
        return 1;
    }
    return 0;
}
