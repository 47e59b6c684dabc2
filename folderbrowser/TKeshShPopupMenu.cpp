#include "folderbrowser/TKeshShPopupMenu.h"

#include <algorithm>
#include <string>

#include "folderbrowser/TKeshShMenuItem.h"
#include "toolkit/TApplication.h"
#include "toolkit/TForm.h"
#include "toolkit/UniqueHandle.h"

namespace {
constexpr UINT kLastCommand = 0x7FFF;

struct MappedVerb {
    const char* verb;
    int result;
};
// The commands the controls react to, known by their verbs: where they sit among the
// shell's commands differs from one shell to the next.
constexpr MappedVerb kMappedVerbs[] = {
    {"link", TKeshShPopupMenu::kShellCreateShortcut},
    {"delete", TKeshShPopupMenu::kShellDelete},
    {"rename", TKeshShPopupMenu::kShellRename},
    {"cut", TKeshShPopupMenu::kShellCut},
};

int ResultOf(const std::string& verb, UINT offset) {
    for (const MappedVerb& mapped : kMappedVerbs) {
        if (::lstrcmpiA(verb.c_str(), mapped.verb) == 0) return mapped.result;
    }
    const int result = static_cast<int>(offset) + 1;
    // Another command whose offset happens to read as one of those results must not set
    // off what the controls do for them.
    for (const MappedVerb& mapped : kMappedVerbs) {
        if (result == mapped.result) return result + static_cast<int>(kLastCommand) + 1;
    }
    return result;
}

std::string VerbOf(IContextMenu& menu, UINT offset) {
    char verb[MAX_PATH] = {};
    if (FAILED(menu.GetCommandString(offset, GCS_VERBA, nullptr, verb, sizeof verb))) return std::string();
    verb[sizeof verb - 1] = '\0';
    return verb;
}

HWND MainFormWindow() {
    if (!TApplication::Exists()) return nullptr;
    TApplication& application = TApplication::Instance();
    if (TForm* form = application.MainForm(); form && form->HandleAllocated()) return form->Handle();
    return application.Handle();
}
}  // namespace

static_assert(sizeof(CMINVOKECOMMANDINFO) == 36, "the shell takes the command record of 36 bytes");

TKeshShPopupMenu::TKeshShPopupMenu(TComponent* owner)
    : TPopupMenu(owner), window_(std::make_unique<TUtilityWindow>([this](UINT message, WPARAM wParam, LPARAM lParam) {
          return MessageWindowProc(message, wParam, lParam);
      })) {}

TKeshShPopupMenu::~TKeshShPopupMenu() = default;

unsigned TKeshShPopupMenu::InsertPos() const {
    return std::min<unsigned>(insertPos_, static_cast<unsigned>(Items().size()));
}

int TKeshShPopupMenu::BuildOwnItems(HMENU menu) {
    int largestId = 0;
    UINT position = 0;
    const std::vector<TMenuItem*>& items = Items();
    for (size_t i = 0; i < items.size(); ++i) {
        TMenuItem& item = *items[i];
        auto* look = dynamic_cast<TKeshShMenuItem*>(&item);
        if (look && !look->Visible) continue;
        const int id = static_cast<int>(i) + 1;
        std::string text = item.Caption();
        if (look && !look->ShortCutText.empty()) text += "\t" + look->ShortCutText;
        MENUITEMINFOA info{sizeof info};
        info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_STRING;
        info.wID = static_cast<UINT>(id);
        if (item.IsSeparator()) {
            info.fType = MFT_SEPARATOR;
            info.fMask &= ~MIIM_STRING;
        } else {
            info.dwTypeData = text.data();
        }
        if (!item.Enabled()) info.fState |= MFS_GRAYED;
        if (item.Default()) info.fState |= MFS_DEFAULT;
        if (look) {
            if (look->RadioItem) info.fType |= MFT_RADIOCHECK;
            if (look->Break == TMenuBreak::mbBreak) info.fType |= MFT_MENUBREAK;
            if (look->Break == TMenuBreak::mbBarBreak) info.fType |= MFT_MENUBARBREAK;
            if (look->Checked) info.fState |= MFS_CHECKED;
            if (look->Bitmap) {
                info.fMask |= MIIM_BITMAP;
                info.hbmpItem = look->Bitmap;
            }
        }
        if (::InsertMenuItemA(menu, position, TRUE, &info)) ++position;
        largestId = std::max(largestId, id);
    }
    return largestId;
}

UINT TKeshShPopupMenu::TrackFlags() const {
    UINT flags = TPM_RETURNCMD;
    switch (Alignment) {
        case TPopupAlignment::paLeft:
            flags |= TPM_LEFTALIGN;
            break;
        case TPopupAlignment::paRight:
            flags |= TPM_RIGHTALIGN;
            break;
        case TPopupAlignment::paCenter:
            flags |= TPM_CENTERALIGN;
            break;
    }
    flags |= TrackButton == TTrackButton::tbRightButton ? TPM_RIGHTBUTTON : TPM_LEFTBUTTON;
    if (MenuAnimation & maLeftToRight) flags |= TPM_HORPOSANIMATION;
    if (MenuAnimation & maRightToLeft) flags |= TPM_HORNEGANIMATION;
    if (MenuAnimation & maTopToBottom) flags |= TPM_VERPOSANIMATION;
    if (MenuAnimation & maBottomToTop) flags |= TPM_VERNEGANIMATION;
    if (MenuAnimation & maNone) flags |= TPM_NOANIMATION;
    return flags;
}

int TKeshShPopupMenu::ShPopup(TKeshShIDList& items, POINT point) {
    bool allow = true;
    Raise(OnShBeforPopup, *this, items, point, allow);
    if (!allow) return 0;
    ComPtr<IContextMenu> menu = items.UIObject<IContextMenu>(MainFormWindow(), IID_IContextMenu);
    if (!menu) return 0;
    menu->QueryInterface(IID_IContextMenu2, reinterpret_cast<void**>(menu2_.put()));
    menu->QueryInterface(IID_IContextMenu3, reinterpret_cast<void**>(menu3_.put()));
    struct Forget {
        TKeshShPopupMenu& self;
        ~Forget() {
            self.menu3_.reset();
            self.menu2_.reset();
        }
    } forget{*this};

    UniqueHmenu native(::CreatePopupMenu());
    if (!native) return 0;
    const int largestId = BuildOwnItems(native.get());
    const UINT index = std::min(InsertPos(), static_cast<unsigned>(largestId));
    UINT flags = ContextType == shctNormal        ? CMF_NORMAL
                 : ContextType == shctDefaultOnly ? CMF_DEFAULTONLY
                                                  : CMF_EXPLORE;
    if (!ReadOnly) flags |= CMF_CANRENAME;
    const HRESULT added =
        menu->QueryContextMenu(native.get(), index, static_cast<UINT>(largestId) + 1, kLastCommand, flags);
    if (FAILED(added)) return 0;
    if (HRESULT_CODE(added) > 0) ::SetMenuDefaultItem(native.get(), index, TRUE);
    Raise(OnPopup, *this);

    const UINT chosen = static_cast<UINT>(
        ::TrackPopupMenu(native.get(), TrackFlags(), point.x, point.y, 0, window_->Handle(), nullptr));
    // Lets the menu's owner lose the foreground properly after the menu.
    ::PostMessageA(window_->Handle(), WM_NULL, 0, 0);
    if (chosen == 0) return 0;
    if (chosen <= static_cast<UINT>(largestId)) {
        TMenuItem& item = *Items()[chosen - 1];
        item.Click();
        Raise(OnShAfterPopup, *this, item, items);
        return 0;
    }
    return RunCommand(*menu.get(), chosen - static_cast<UINT>(largestId) - 1);
}

int TKeshShPopupMenu::RunCommand(IContextMenu& menu, UINT offset) {
    const int result = ResultOf(VerbOf(menu, offset), offset);
    // Renaming is the control's own business, in place.
    if (result == kShellRename) return result;
    CMINVOKECOMMANDINFO command{};
    command.cbSize = sizeof command;
    command.hwnd = MainFormWindow();
    command.lpVerb = MAKEINTRESOURCEA(offset);
    command.nShow = SW_SHOWNORMAL;
    return SUCCEEDED(menu.InvokeCommand(&command)) ? result : 0;
}

LRESULT TKeshShPopupMenu::MessageWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    HWND window = window_ ? window_->Handle() : nullptr;
    switch (message) {
        case WM_INITMENUPOPUP:
        case WM_MEASUREITEM:
        case WM_DRAWITEM:
        case WM_MENUCHAR:
            if (menu3_) {
                LRESULT result = 0;
                if (SUCCEEDED(menu3_->HandleMenuMsg2(message, wParam, lParam, &result))) return result;
            } else if (menu2_ && message != WM_MENUCHAR) {
                if (SUCCEEDED(menu2_->HandleMenuMsg(message, wParam, lParam)))
                    return message == WM_INITMENUPOPUP ? 0 : TRUE;
            }
            break;
        default:
            break;
    }
    return ::DefWindowProcA(window, message, wParam, lParam);
}
