#pragma once
// The program's windows made as start-up makes them (main window, then settings window),
// without showing them, and destroyed after the test.
#include <gtest/gtest.h>

#include "app/TForm1.h"
#include "settings/TForm2.h"
#include "toolkit/TApplication.h"

class ProgramForms : public testing::Test {
protected:
    void SetUp() override {
        form1 = new TForm1(&TApplication::Instance());
        form2 = new TForm2(&TApplication::Instance());
    }
    void TearDown() override {
        delete form2;
        delete form1;
        Form1 = nullptr;
        Form2 = nullptr;
    }

    TForm1* form1 = nullptr;
    TForm2* form2 = nullptr;
};
