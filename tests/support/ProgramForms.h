#pragma once
// The program's windows made as start-up makes them (main window, then settings window,
// wired together), without showing them, and destroyed after the test. The settings file
// is one of the test's own, in a fresh folder: SettingsPath().
#include <gtest/gtest.h>

#include "app/TForm1.h"
#include "settings/TForm2.h"
#include "tests/support/TestEnvironment.h"
#include "toolkit/TApplication.h"

class ProgramForms : public testing::Test {
protected:
    void SetUp() override {
        form1 = new TForm1(&TApplication::Instance());
        MakeSettingsWindow();
    }
    void TearDown() override {
        delete form2;
        delete form1;
        Form1 = nullptr;
        Form2 = nullptr;
    }

    // The settings window as start-up makes it, reading the test's settings file.
    void MakeSettingsWindow() {
        form2 = new TForm2(&TApplication::Instance(), SettingsPath());
        form1->ConnectSettingsWindow(*form2);
    }
    std::string SettingsPath() const { return settingsFolder / "Pictavo.ini"; }

    TempFolder settingsFolder;
    TForm1* form1 = nullptr;
    TForm2* form2 = nullptr;
};
