#include "folderbrowser/TShIconsAhead.h"

#include <objbase.h>

#include <map>
#include <system_error>

TShIconsAhead::~TShIconsAhead() {
    if (thread_.joinable()) thread_.join();
}

void TShIconsAhead::Add(TKeshShData& item, bool openIcon) {
    items_.push_back(
        {&item, openIcon, item.IconQueryFor(false), openIcon ? item.IconQueryFor(true) : TKeshShData::IconQuery{}});
}

void TShIconsAhead::Start() {
    if (items_.empty()) return;
    try {
        thread_ = std::thread([this] {
            // Nothing may leave a thread's entry; what is not found is looked up later.
            try {
                LookUp();
            } catch (...) {
            }
        });
    } catch (const std::system_error&) {
    }
}

void TShIconsAhead::Finish() {
    if (!thread_.joinable()) return;
    thread_.join();
    for (Item& item : items_) item.data->KnowIcons(item.closedIndex, item.openIndex);
}

void TShIconsAhead::LookUp() {
    const HRESULT com = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    {
        ComPtr<IShellFolder> desktop;
        if (FAILED(::SHGetDesktopFolder(desktop.put()))) desktop.reset();
        // Most items share their parent: each is bound once, on this thread.
        std::map<const TShIDList*, ComPtr<IShellFolder>> parents;
        const auto parentOf = [&](const TKeshShData::IconQuery& query) -> IShellFolder* {
            if (!desktop || !query.parent) return nullptr;
            if (TKeshShID::Count(query.parent.get()) == 0) return desktop.get();
            for (auto& [id, folder] : parents) {
                if (TKeshShID::Equal(id->get(), query.parent.get())) return folder.get();
            }
            ComPtr<IShellFolder> folder;
            if (FAILED(desktop->BindToObject(query.parent.get(), nullptr, IID_IShellFolder,
                                             reinterpret_cast<void**>(folder.put()))))
                folder.reset();
            return (parents[&query.parent] = std::move(folder)).get();
        };
        for (Item& item : items_) {
            item.closedIndex = TKeshShData::LookUpIcon(item.closed, parentOf(item.closed));
            if (item.openIcon) item.openIndex = TKeshShData::LookUpIcon(item.open, parentOf(item.open));
        }
    }
    if (SUCCEEDED(com)) ::CoUninitialize();
}
