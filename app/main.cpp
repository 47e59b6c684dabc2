// Pictavo's entry point.
#include <windows.h>

#include "toolkit/TApplication.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    TApplication application;
    application.SetTitle("Pictavo");
    return 0;
}
