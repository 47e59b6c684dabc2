#pragma once
// A top-level window of the program. Forms are owned by the application window, so none
// of them gets a taskbar button of its own. The keyboard moves between a form's controls
// as in the system's dialog boxes, and a form that is shown or activated again gives the
// focus back to the control that had it.
#include <functional>

#include "toolkit/TWinControl.h"

enum class TFormBorderStyle { bsNone, bsSingle, bsDialog };
enum class TWindowState { wsNormal, wsMinimized, wsMaximized };
enum class TCloseAction { caNone, caHide };

class TForm : public TWinControl {
public:
    explicit TForm(TComponent* owner);

    void SetBorderStyle(TFormBorderStyle style) { borderStyle_ = style; }
    // Title-bar buttons: the close box (system menu), minimise and maximise.
    void SetSystemMenu(bool value) { systemMenu_ = value; }

    TWindowState WindowState() const { return windowState_; }
    void SetWindowState(TWindowState state);

    // Centred on the primary screen whenever it is shown.
    void SetCenterOnScreen(bool value) { center_ = value; }

    // Asks OnCloseQuery, then OnClose; the main form's close ends the program, any other
    // form hides (forms live for the whole run). caNone keeps the form as it is.
    void Close();
    void BringToFront();
    // As a dialog box takes the focus: on the control that had it last, or else the first
    // one Tab reaches; on the form itself only when it has no such control.
    void SetFocus() override;

    // Handles a dialog key (Tab, Ctrl+Tab, the arrows in a radio group) for a window of the
    // form; true when it did, and the message must not be dispatched.
    virtual bool DialogKey(const MSG& message);

    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    std::function<void(TObject& sender, TCloseAction& action)> OnClose;
    std::function<void(TObject& sender, bool& canClose)> OnCloseQuery;

protected:
    void CreateParams(TCreateParams& params) override;
    void VisibleChanging(bool visible) override;
    void VisibleChanged() override;
    // How the window is shown: by default as its window state says.
    virtual int ShowCommand() const;
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Center();
    // While the focus is on one of the form's controls: it is the one to come back to.
    void RememberFocus();
    // The control remembered, or else the first one Tab stops at; false when there is none.
    bool RestoreFocus();

    TFormBorderStyle borderStyle_ = TFormBorderStyle::bsSingle;
    TWindowState windowState_ = TWindowState::wsNormal;
    bool systemMenu_ = true;
    bool center_ = false;
    // Not owned, and checked before use: the control may have gone meanwhile.
    HWND lastFocus_ = nullptr;
};
