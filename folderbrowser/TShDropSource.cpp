#include "folderbrowser/TShDropSource.h"

#include <oleidl.h>
#include <shlobj.h>

#include <cstdlib>

#include "folderbrowser/ComObject.h"
#include "toolkit/CallbackErrors.h"

static_assert(SFGAO_CANCOPY == DROPEFFECT_COPY && SFGAO_CANMOVE == DROPEFFECT_MOVE && SFGAO_CANLINK == DROPEFFECT_LINK,
              "an item's capabilities are the effects it can be dropped with");

namespace {
class DropSource : public ComObject<IDropSource> {
public:
    explicit DropSource(DWORD button) : ComObject(IID_IDropSource), button_(button) {}

    HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escape, DWORD keys) override {
        return Guarded<HRESULT>(DRAGDROP_S_CANCEL, [&] {
            if (escape) return DRAGDROP_S_CANCEL;
            return (keys & button_) ? S_OK : DRAGDROP_S_DROP;
        });
    }
    HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD) override { return DRAGDROP_S_USEDEFAULTCURSORS; }

private:
    DWORD button_;
};

// The effects the items can be dropped with, by their attributes (copy, move, link).
DWORD ShellDragEffects(TKeshShIDList& items) {
    return items.CommonAttributes(SFGAO_CANCOPY | SFGAO_CANMOVE | SFGAO_CANLINK);
}

// Offers the items (as the shell's data object for them) with the allowed effects and
// returns once they are dropped or the drag is given up: the effect that the drop had.
// `button` is the mouse button that holds the drag (MK_LBUTTON...).
DWORD DragShellItems(TKeshShIDList& items, HWND owner, DWORD button, DWORD allowed) {
    if (allowed == DROPEFFECT_NONE) return DROPEFFECT_NONE;
    ComPtr<IDataObject> data = items.UIObject<IDataObject>(owner, IID_IDataObject);
    if (!data) return DROPEFFECT_NONE;
    ComPtr<IDropSource> source(new DropSource(button));
    DWORD effect = DROPEFFECT_NONE;
    if (::DoDragDrop(data.get(), source.get(), allowed, &effect) != DRAGDROP_S_DROP) return DROPEFFECT_NONE;
    return effect;
}
}  // namespace

bool BeyondDragThreshold(POINT press, POINT now) {
    return std::abs(now.x - press.x) > kDragThreshold || std::abs(now.y - press.y) > kDragThreshold;
}

void DragOutOf(HWND window, TKeshShIDList& items, POINT client, const std::function<bool(POINT screen)>& permit) {
    const DWORD allowed = ShellDragEffects(items);
    if (allowed == DROPEFFECT_NONE) return;
    POINT screen = client;
    ::ClientToScreen(window, &screen);
    if (permit(screen)) DragShellItems(items, window, MK_LBUTTON, allowed);
}
