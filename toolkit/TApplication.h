#pragma once
// The application object: its title, the hidden top-level window that owns every form
// (and would carry the taskbar button), the main form and the message loop.
#include <windows.h>

#include <functional>
#include <string>
#include <utility>

#include "toolkit/TComponent.h"
#include "toolkit/TFormHost.h"
#include "toolkit/UniqueHandle.h"

class TApplication : public TComponent, public TFormHost {
public:
    TApplication();
    ~TApplication() override;

    // The one instance of the run; it must exist before any form is made.
    static TApplication& Instance();
    static bool Exists();

    const std::string& Title() const override { return title_; }
    void SetTitle(const std::string& title);

    HWND Handle() const override { return handle_.get(); }
    // The icon of the executable (resource "MAINICON"), or the system's application icon.
    HICON Icon() const { return icon_; }

    TForm* MainForm() const override { return mainForm_; }
    // Creates a form owned by the application (given whatever else its constructor takes);
    // the first one becomes the main form.
    template <typename T, typename... Args>
    T* CreateForm(Args&&... args) {
        T* form = new T(this, std::forward<Args>(args)...);
        if (!mainForm_) mainForm_ = form;
        return form;
    }

    // Shows the main form once and runs the message loop until the main form closes.
    void Run();
    void Terminate() override;
    bool Terminated() const { return terminated_; }

    // Messages the program wants to handle before they are dispatched (accelerators).
    std::function<bool(MSG& message)> OnPreTranslate;
    // OnPreTranslate first, then the dialog keys of the form the message is for; true when
    // the message was handled and must be neither translated nor dispatched.
    bool PreTranslate(MSG& message);

private:
    std::string title_;
    UniqueHwnd handle_;
    HICON icon_;
    TForm* mainForm_ = nullptr;
    bool terminated_ = false;
};
