#include "folderbrowser/TKeshShData.h"

#include <shobjidl.h>

#include <map>

#include "toolkit/FilePath.h"
#include "toolkit/UniqueHandle.h"

namespace {
// Special folders that items are compared with, read once for the run.
LPCITEMIDLIST Special(TShSpecialFolderID id) {
    static std::map<TShSpecialFolderID, TShIDList> lists;
    auto found = lists.find(id);
    if (found == lists.end()) found = lists.emplace(id, TKeshShID::SpecialFolder(id)).first;
    return found->second.get();
}

bool IsSpecial(LPCITEMIDLIST absolute, TShSpecialFolderID id) {
    LPCITEMIDLIST special = Special(id);
    return special && TKeshShID::Compare(absolute, special) == TKeshShID::crEqual;
}

std::string DrivePart(const std::string& path) {
    return path.size() >= 2 && path[1] == ':' ? path.substr(0, 2) : std::string();
}
}  // namespace

TKeshShData::TKeshShData(TShIDList absolute, TShIDList relative, ComPtr<IShellFolder> parentFolder)
    : absoluteID_(std::move(absolute)), relativeID_(std::move(relative)), parentFolder_(std::move(parentFolder)) {}

TKeshShData::~TKeshShData() = default;

TShIDList TKeshShData::RelativeFor(LPCITEMIDLIST absolute) {
    if (Count(absolute) == 0) return SpecialFolder(sfidDeskTopFolder);
    return LastCopy(absolute);
}

int TKeshShData::Level() { return Count(AbsoluteID()); }

LPCITEMIDLIST TKeshShData::ParentID() {
    if (!parentID_ && AbsoluteID() && Level() > 0) parentID_ = Parent(AbsoluteID());
    return parentID_.get();
}

IShellFolder* TKeshShData::ParentFolder() {
    if (!parentFolder_) parentFolder_ = Level() == 0 ? Desktop() : BindToFolder(ParentID());
    return parentFolder_.get();
}

ComPtr<IShellFolder> TKeshShData::BindFolder() { return BindToFolder(AbsoluteID()); }

std::string TKeshShData::DisplayName() {
    if (!nameRead_) {
        nameRead_ = true;
        if (Level() == 0) {
            displayName_ = TKeshShID::DisplayName(Desktop().get(), AbsoluteID(), SHGDN_NORMAL);
        } else {
            displayName_ = TKeshShID::DisplayName(ParentFolder(), RelativeID(), SHGDN_INFOLDER | SHGDN_FORADDRESSBAR);
        }
    }
    return displayName_;
}

int TKeshShData::IconIndex() {
    if (iconIndex_ < 0) iconIndex_ = ReadIconIndex(false);
    return iconIndex_;
}

int TKeshShData::OpenIconIndex() {
    if (openIconIndex_ < 0) openIconIndex_ = ReadIconIndex(true);
    return openIconIndex_;
}

namespace {
int LookUp(bool byParent, IShellFolder* parent, LPCITEMIDLIST relative, LPCITEMIDLIST absolute, bool open) {
    if (byParent) {
        const int index = TKeshShID::IconIndexIn(parent, relative);
        if (index >= 0) return index;
    }
    return TKeshShID::IconIndex(absolute, true, open);
}
}  // namespace

bool TKeshShData::IconByParent(bool open) {
    // The icon is asked of the folder the item already holds: the lookup by absolute list
    // binds the parent folder anew for every item, milliseconds an item in a big folder.
    // That way knows no open icon and gives a shortcut its arrow in the picture itself, so
    // open icons (the tree's selected nodes) and shortcuts are looked up by absolute list.
    return !open && Level() > 0 && !HasAttributes(SFGAO_LINK);
}

int TKeshShData::ReadIconIndex(bool open) {
    const bool byParent = IconByParent(open);
    return LookUp(byParent, byParent ? ParentFolder() : nullptr, RelativeID(), AbsoluteID(), open);
}

TKeshShData::IconQuery TKeshShData::IconQueryFor(bool open) {
    IconQuery query;
    query.byParent = IconByParent(open);
    query.open = open;
    if (query.byParent) query.parent = Copy(ParentID());
    query.relative = Copy(RelativeID());
    query.absolute = Copy(AbsoluteID());
    return query;
}

int TKeshShData::LookUpIcon(const IconQuery& query, IShellFolder* parent) {
    return LookUp(query.byParent && parent, parent, query.relative.get(), query.absolute.get(), query.open);
}

void TKeshShData::KnowIcons(int icon, int openIcon) {
    if (icon >= 0) iconIndex_ = icon;
    if (openIcon >= 0) openIconIndex_ = openIcon;
}

int TKeshShData::Overlay() {
    if (overlay_ >= 0) return overlay_;
    overlay_ = 0;
    if (Level() == 0) return overlay_;
    ComPtr<IShellIconOverlay> overlay;
    IShellFolder* folder = ParentFolder();
    int index = 0;
    if (folder && SUCCEEDED(folder->QueryInterface(IID_IShellIconOverlay, reinterpret_cast<void**>(overlay.put()))) &&
        overlay && SUCCEEDED(overlay->GetOverlayIndex(RelativeID(), &index))) {
        overlay_ = index;
    } else if (HasAttributes(SFGAO_SHARE)) {
        overlay_ = 1;
    } else if (HasAttributes(SFGAO_LINK)) {
        overlay_ = 2;
    }
    return overlay_;
}

bool TKeshShData::Ghosted() {
    if (ghosted_ < 0) ghosted_ = HasAttributes(SFGAO_GHOSTED) ? 1 : 0;
    return ghosted_ == 1;
}

void TKeshShData::ForgetName() {
    nameRead_ = false;
    displayName_.clear();
    iconIndex_ = openIconIndex_ = overlay_ = ghosted_ = -1;
    findDataRead_ = false;
}

ComPtr<IShellFolder> TKeshShData::DesktopDirectoryHolding() {
    if (Level() != 1) return ComPtr<IShellFolder>();
    LPCITEMIDLIST directory = Special(sfidDeskTopFolder);
    if (!SameFolder(ExtractFilePath(Path()), ToPath(directory))) return ComPtr<IShellFolder>();
    return BindToFolder(directory);
}

bool TKeshShData::Rename(HWND owner, const std::string& name) {
    IShellFolder* folder = Level() > 0 && !name.empty() ? ParentFolder() : nullptr;
    if (!folder) return false;
    const std::wstring wide = ToWide(name);
    LPITEMIDLIST renamed = nullptr;
    HRESULT hr = folder->SetNameOf(owner, RelativeID(), wide.c_str(), SHGDN_INFOLDER, &renamed);
    ComPtr<IShellFolder> directory;
    if (FAILED(hr) && (directory = DesktopDirectoryHolding())) {
        // Wine's Desktop renames none of its items: one that lies in the desktop directory is
        // renamed by that directory's folder, where its identifier stands for the same file.
        folder = directory.get();
        hr = folder->SetNameOf(owner, RelativeID(), wide.c_str(), SHGDN_INFOLDER, &renamed);
    }
    TShIDList relative = TShIDList::Adopt(renamed);
    if (FAILED(hr)) return false;
    if (!relative) {
        // The folder renamed it but gave no identifier: it is read back by its new name.
        ULONG eaten = 0;
        std::wstring parse = wide;
        if (FAILED(folder->ParseDisplayName(owner, nullptr, parse.data(), &eaten, &renamed, nullptr))) return false;
        relative = TShIDList::Adopt(renamed);
    }
    Renamed(std::move(relative));
    ::SHChangeNotify(0, SHCNF_FLUSH, nullptr, nullptr);
    return true;
}

void TKeshShData::Renamed(TShIDList relative) {
    TShIDList parent = Copy(ParentID());
    relativeID_ = std::move(relative);
    absoluteID_ = Concat(parent.get(), relativeID_.get());
    ForgetName();
}

bool TKeshShData::HasAttributes(ULONG mask) {
    if (Level() != 0) return TKeshShID::HasAttributes(ParentFolder(), RelativeID(), mask);
    // The Desktop lies in no folder, but it stands for the desktop directory: it answers as
    // that directory's own folder answers for it (new folders are made there), and as the
    // root of the namespace it always holds folders and is never renamed, moved or deleted.
    constexpr ULONG always = SFGAO_FOLDER | SFGAO_HASSUBFOLDER | SFGAO_FILESYSANCESTOR;
    constexpr ULONG never = SFGAO_CANRENAME | SFGAO_CANMOVE | SFGAO_CANDELETE;
    if (mask & never) return false;
    const ULONG asked = mask & ~always;
    if (asked == 0) return true;
    LPCITEMIDLIST directory = RelativeID();
    if (Count(directory) <= 0) return false;
    TShIDList parent = Parent(directory);
    ComPtr<IShellFolder> folder = BindToFolder(parent.get());
    return TKeshShID::HasAttributes(folder.get(), Last(directory), asked);
}

std::string TKeshShData::Path() { return ToPath(Level() == 0 ? RelativeID() : AbsoluteID()); }

const WIN32_FIND_DATAA& TKeshShData::FindData() {
    if (findDataRead_) return findData_;
    findDataRead_ = true;
    findData_ = WIN32_FIND_DATAA{};
    if (Level() == 1) {
        const std::string path = Path();
        if (!path.empty()) UniqueFindHandle(::FindFirstFileA(path.c_str(), &findData_));
    } else if (Level() > 1) {
        ::SHGetDataFromIDListA(ParentFolder(), RelativeID(), SHGDFIL_FINDDATA, &findData_, sizeof findData_);
    }
    return findData_;
}

TShVirtuaItem TKeshShData::ItemKind() {
    if (!itemKind_) itemKind_ = Classify() + 1;
    return static_cast<TShVirtuaItem>(itemKind_ - 1);
}

TShVirtuaItem TKeshShData::Classify() {
    const int level = Level();
    if (level < 0) return itUnknown;
    if (level == 0) return itDeskTop;
    LPCITEMIDLIST absolute = AbsoluteID();
    if (level == 1) {
        if (IsSpecial(absolute, sfidDrives)) return itMyComputer;
        if (IsSpecial(absolute, sfidNetWork)) return itNetWork;
        if (IsSpecial(absolute, sfidBitBucket)) return itBitBucket;
        if (IsSpecial(absolute, sfidInterNet)) return itInterNet;
        if (!HasAttributes(SFGAO_FILESYSTEM)) return itVirtual;
    } else {
        if (!HasAttributes(SFGAO_FILESYSTEM)) return Equal(absolute, Special(sfidControls)) ? itControls : itVirtual;
        if (HasAttributes(SFGAO_FILESYSANCESTOR)) {
            LPCITEMIDLIST drives = Special(sfidDrives);
            if (!drives || !IsAncestor(drives, absolute)) return itFolder;
            const std::string path = Path();
            const std::string drive = DrivePart(path);
            return !drive.empty() && ExcludeTrailingPathDelimiter(path) == drive ? itRootDrive : itFolder;
        }
    }
    if (HasAttributes(SFGAO_FOLDER)) return DirectoryExists(Path()) ? itFolder : itFile;
    return itFile;
}
