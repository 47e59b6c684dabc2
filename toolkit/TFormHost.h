#pragma once
// What forms and the standard boxes ask of the application that owns them: the window that
// owns every form, the program's title, which form is the main one, and the end of the run.
// The application implements it; asking here keeps forms and boxes from depending on it.
#include <windows.h>

#include <string>

class TForm;

class TFormHost {
public:
    // The application of this run, or nullptr before it is made and after it is gone.
    static TFormHost* Current() { return current_; }

    virtual HWND Handle() const = 0;
    virtual const std::string& Title() const = 0;
    virtual TForm* MainForm() const = 0;
    virtual void Terminate() = 0;

protected:
    TFormHost() = default;
    ~TFormHost() = default;
    static void SetCurrent(TFormHost* host) { current_ = host; }

private:
    static inline TFormHost* current_ = nullptr;
};
