#pragma once
// The shell's own context menu for items of the folder tree or list, after the menu's own
// items. The shell draws its owner-drawn items through a hidden window of the menu, which
// also owns the menu while it shows. The chosen shell command is carried out by the shell;
// the result tells the control what it has to do afterwards.
#include <windows.h>
#include <shlobj.h>

#include <functional>
#include <memory>

#include "folderbrowser/TKeshShIDList.h"
#include "toolkit/TPopupMenu.h"
#include "toolkit/TUtilityWindow.h"

class TKeshShPopupMenu;

enum TShContextType { shctExplore, shctNormal, shctDefaultOnly };
enum class TPopupAlignment { paLeft, paRight, paCenter };
enum class TTrackButton { tbRightButton, tbLeftButton };
// Directions of the menu's animation, any combination; none by default.
enum TMenuAnimation : unsigned {
    maLeftToRight = 1,
    maRightToLeft = 2,
    maTopToBottom = 4,
    maBottomToTop = 8,
    maNone = 16
};

// (sender, items, screen point, allow): allow starts true.
using TShBeforePopupEvent = std::function<void(TObject& sender, TKeshShIDList& items, POINT point, bool& allowPopup)>;
using TShAfterPopupEvent = std::function<void(TObject& sender, TMenuItem& item, TKeshShIDList& items)>;

class TKeshShPopupMenu : public TPopupMenu {
public:
    // What a chosen shell command leaves for the control to do (the shell's command
    // offset + 1 for every other command; 0 when nothing was chosen or the command failed).
    static constexpr int kShellCreateShortcut = 17;
    static constexpr int kShellDelete = 18;
    static constexpr int kShellRename = 19;
    static constexpr int kShellCut = 25;

    explicit TKeshShPopupMenu(TComponent* owner);
    ~TKeshShPopupMenu() override;

    // Where the shell's items go among the own items; never past the last of them.
    unsigned InsertPos() const;
    void SetInsertPos(unsigned value) { insertPos_ = value; }
    // While true the shell is not told that the caller can rename items.
    bool ReadOnly = true;
    TShContextType ContextType = shctExplore;
    TPopupAlignment Alignment = TPopupAlignment::paLeft;
    TTrackButton TrackButton = TTrackButton::tbRightButton;
    unsigned MenuAnimation = 0;

    // Shows the menu for the items at a screen point and carries out the choice. Returns
    // one of the results above.
    int ShPopup(TKeshShIDList& items, POINT point);

    HWND MessageWindow() const { return window_->Handle(); }

    TShBeforePopupEvent OnShBeforPopup;
    TShAfterPopupEvent OnShAfterPopup;

private:
    int BuildOwnItems(HMENU menu);
    UINT TrackFlags() const;
    int RunCommand(IContextMenu& menu, UINT offset);
    LRESULT MessageWindowProc(UINT message, WPARAM wParam, LPARAM lParam);

    unsigned insertPos_ = 0;
    std::unique_ptr<TUtilityWindow> window_;
    // Set while the menu shows: the owner-drawn items of the shell go to them.
    ComPtr<IContextMenu2> menu2_;
    ComPtr<IContextMenu3> menu3_;
};
