#pragma once
// Registers system-wide hotkeys for its owner window and reports each press with the index
// it was registered under. With Activate on, the owner window comes to the foreground
// before the press is reported. A key held down reports once.
#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <span>
#include <vector>

#include "desktop/TKeyReleaseWatcher.h"
#include "desktop/TKeyRepeat.h"
#include "toolkit/TComponent.h"
#include "toolkit/THotKey.h"
#include "toolkit/TUtilityWindow.h"

using THotKeyEvent = std::function<void(TObject& sender, int index)>;

class THookHotKey : public TComponent {
public:
    explicit THookHotKey(TComponent* owner);
    ~THookHotKey() override;

    bool Activate() const { return activate_; }
    void SetActivate(bool value) { activate_ = value; }

    // Registers the shortcut (virtual key under 0x1FFF, 0x2000 Shift, 0x4000 Ctrl,
    // 0x8000 Alt) under `index`, beside any key registered under it before. False when the
    // system refuses it, typically because the combination is held already, by another
    // program or by this one.
    bool RegisterShortCut(int index, TShortCut shortCut);
    // Makes each index (a shortcut's place in the list; indices past its end are left as
    // they are) answer to its shortcut alone (to none for 0): the keys it held
    // otherwise are let go, all of them before any is registered (so that a key moved from
    // one index to another is free again), and a key it holds already is kept as it is. A
    // key the system does not let go stays registered (and is let go at the next call).
    // Returns the indices whose shortcut the system refused.
    std::vector<int> ReplaceShortCuts(std::span<const TShortCut> shortCuts);

    // The hidden window the keys are registered to; it lives as long as the component.
    HWND WindowHandle() const { return window_.Handle(); }

    THotKeyEvent OnHotKey;

protected:
    virtual void DoHotKey(int index);
    // Every registration and release passes through here; a test may look at what the
    // system is given, or have it refuse.
    virtual bool RegisterWithSystem(int id, UINT modifiers, UINT virtualKey);
    virtual bool UnregisterWithSystem(int id);

private:
    struct Registration {
        int index;
        TShortCut shortCut;
    };

    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam);
    bool Holds(int index, TShortCut shortCut) const;

    bool activate_ = true;
    // Each registration gets an identifier of its own, mapped back to its index: the
    // system replaces (under Wine) rather than keeps a key registered again under the same
    // identifier, and an index registered twice must answer to both keys.
    std::map<int, Registration> registrations_;
    int nextId_ = 0;
    TKeyRepeat repeats_;
    // Made at the first press; it looks at repeats_, so it goes before them.
    std::unique_ptr<TKeyReleaseWatcher> releaseWatcher_;
    TUtilityWindow window_;
};
