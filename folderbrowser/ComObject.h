#pragma once
// The reference counting and interface lookup of a COM object that the program hands to
// the system (drop sources and targets). Made with `new`, it starts with one reference,
// which its maker holds in a ComPtr.
#include <windows.h>
#include <unknwn.h>

template <typename Interface>
class ComObject : public Interface {
public:
    explicit ComObject(REFIID iid) : iid_(iid) {}
    virtual ~ComObject() = default;
    ComObject(const ComObject&) = delete;
    ComObject& operator=(const ComObject&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (!object) return E_POINTER;
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, iid_)) {
            *object = static_cast<Interface*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(::InterlockedIncrement(&references_)); }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG left = ::InterlockedDecrement(&references_);
        if (left == 0) delete this;
        return static_cast<ULONG>(left);
    }

private:
    const IID& iid_;
    LONG references_ = 1;
};
