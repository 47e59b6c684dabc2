#include "folderbrowser/TShDropSite.h"

#include "folderbrowser/ComObject.h"
#include "toolkit/CallbackErrors.h"
#include "toolkit/EOSError.h"

// The drop target that OLE calls, forwarding to its site for as long as the site lives.
class TShDropSite::Target : public ComObject<IDropTarget> {
public:
    Target(TShDropSite& site, HWND window) : ComObject(IID_IDropTarget), site_(&site), window_(window) {}
    void Detach() { site_ = nullptr; }

    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keys, POINTL point, DWORD* effect) override {
        return Answer(effect, [&] { return site_->Enter(data, keys, point, *effect, window_); });
    }
    HRESULT STDMETHODCALLTYPE DragOver(DWORD keys, POINTL point, DWORD* effect) override {
        return Answer(effect, [&] { return site_->Over(keys, point, *effect, window_); });
    }
    HRESULT STDMETHODCALLTYPE DragLeave() override {
        return Guarded<HRESULT>(S_OK, [&] {
            if (site_) site_->Leave();
            return S_OK;
        });
    }
    HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keys, POINTL point, DWORD* effect) override {
        return Answer(effect, [&] { return site_->Drop(data, keys, point, *effect, window_); });
    }

private:
    template <typename Body>
    HRESULT Answer(DWORD* effect, Body&& body) {
        if (!effect) return E_INVALIDARG;
        *effect = Guarded<DWORD>(DROPEFFECT_NONE, [&] { return site_ ? body() : DROPEFFECT_NONE; });
        return S_OK;
    }

    TShDropSite* site_;
    HWND window_;
};

TShDropSite::TShDropSite() = default;

TShDropSite::~TShDropSite() {
    if (target_) target_->Detach();
}

void TShDropSite::RegisterDropTarget(HWND window) {
    if (registered_ == window) return;
    RevokeDropTarget(registered_);
    if (target_) target_->Detach();
    TKeshShID::Initialize();
    target_.reset(new Target(*this, window));
    const HRESULT result = ::RegisterDragDrop(window, target_.get());
    if (SUCCEEDED(result)) {
        registered_ = window;
        return;
    }
    // Nothing can be dropped on the control: the user is told rather than left to find out.
    // The window is made all the same.
    ReportError(std::make_exception_ptr(EOSError::FromResult(result)));
}

void TShDropSite::RevokeDropTarget(HWND window) {
    if (!window || window != registered_) return;
    ::RevokeDragDrop(window);
    registered_ = nullptr;
    Leave();
}

DWORD TShDropSite::Enter(IDataObject* data, DWORD keys, POINTL point, DWORD allowed, HWND window) {
    drag_ = std::make_unique<TKeshShDragObject>(data);
    Raise(OnShDragEnter, DragSender(), *drag_);
    return Over(keys, point, allowed, window);
}

DWORD TShDropSite::Over(DWORD keys, POINTL point, DWORD allowed, HWND window) {
    if (!drag_) return DROPEFFECT_NONE;
    POINT client{point.x, point.y};
    ::ScreenToClient(window, &client);
    DragHover(client);
    TShItemDropTarget target = DropTargetAt(*drag_, client);
    DWORD effect = target ? target.Query(*drag_, keys, point, allowed) : DROPEFFECT_NONE;
    Raise(OnShDragOver, DragSender(), *drag_, MouseShiftState(keys), static_cast<int>(client.x),
          static_cast<int>(client.y), effect);
    return effect;
}

void TShDropSite::Leave() {
    if (!drag_) return;
    DragFinished();
    drag_.reset();
    Raise(OnShDragLeave, DragSender());
}

DWORD TShDropSite::Drop(IDataObject* data, DWORD keys, POINTL point, DWORD allowed, HWND window) {
    if (!drag_) drag_ = std::make_unique<TKeshShDragObject>(data);
    struct Finish {
        TShDropSite& site;
        ~Finish() {
            site.DragFinished();
            site.drag_.reset();
        }
    } finish{*this};
    POINT client{point.x, point.y};
    ::ScreenToClient(window, &client);
    TShItemDropTarget target = DropTargetAt(*drag_, client);
    DWORD effect = target ? target.Query(*drag_, keys, point, allowed) : DROPEFFECT_NONE;
    bool defaultAction = true;
    Raise(OnShDragDrop, DragSender(), *drag_, MouseShiftState(keys), static_cast<int>(client.x),
          static_cast<int>(client.y), effect, defaultAction);
    if (!defaultAction) return effect;
    return target.Drop(*drag_, keys, point, allowed, window);
}
