#pragma once
// One shell item: its identifier lists, and what is read about it once and kept: the name,
// the icons, the find record and the kind. Attribute tests ask the shell every time.
#include <windows.h>
#include <shlobj.h>

#include <string>

#include "folderbrowser/TKeshShID.h"
#include "folderbrowser/TShVirtuaItem.h"

class TWinControl;

class TKeshShData : public TKeshShID {
public:
    ~TKeshShData() override;

    // The name in its folder, as an address bar shows it.
    virtual std::string DisplayName();
    virtual int IconIndex();
    virtual int OpenIconIndex();
    // Position in the owning control (-1 when it has none).
    virtual int Index() { return -1; }
    int Level();
    virtual TWinControl* OwnerControl() { return nullptr; }
    LPCITEMIDLIST ParentID();
    virtual LPCITEMIDLIST AbsoluteID() { return absoluteID_.get(); }
    // The last identifier; for the Desktop root, the desktop directory's list.
    LPCITEMIDLIST RelativeID() const { return relativeID_.get(); }
    virtual bool IsValid() { return AbsoluteID() && relativeID_; }

    // The folder that holds the item (bound on first use when the maker did not hand it).
    virtual IShellFolder* ParentFolder();
    // The item's own folder, or empty when it is none.
    ComPtr<IShellFolder> BindFolder();

    // Every bit of the mask set (SFGAO_ values); the Desktop root answers as the desktop
    // directory does.
    bool HasAttributes(ULONG mask);
    // File-system path, empty when there is none; the Desktop root's is the desktop
    // directory.
    std::string Path();
    const WIN32_FIND_DATAA& FindData();
    TShVirtuaItem ItemKind();

    // Overlay image of the system image list: the folder's overlay interface when it offers
    // one, else 1 for a shared item, 2 for a shortcut, 0 for none. Read once, like the icons.
    int Overlay();
    // Hidden items are drawn cut. Read once.
    bool Ghosted();

    // Gives the item a new name through its folder. On success the item takes the
    // identifier the folder returns, forgets what it read under the old name, and the
    // shell's pending change notices are flushed; on failure nothing changes.
    bool Rename(HWND owner, const std::string& name);
    // Takes the new identifier of an item renamed elsewhere.
    virtual void Renamed(TShIDList relative);

    // What looking an icon up takes, copied so that another thread can do it with folders
    // of its own: through the parent folder, or by the absolute list.
    struct IconQuery {
        TShIDList parent, relative, absolute;
        bool byParent = false;
        bool open = false;
    };
    IconQuery IconQueryFor(bool open);
    // The icon's index in the system image list, or -1; `parent` is the query's parent
    // folder bound on the calling thread (null when it cannot be).
    static int LookUpIcon(const IconQuery& query, IShellFolder* parent);
    // Icons looked up elsewhere; -1 leaves one to be looked up here when it is needed.
    void KnowIcons(int icon, int openIcon);

    // Forgets the cached name, icons and overlay (after a rename or a refresh).
    void ForgetName();
    // Whether the name has been read from the shell (names are read only when shown).
    bool NameRead() const { return nameRead_; }

    // Makes the item for an absolute list; the Desktop (empty list) gets the desktop
    // directory as its relative list.
    static TShIDList RelativeFor(LPCITEMIDLIST absolute);

protected:
    // `absolute` may be empty when a subclass builds it on first use.
    TKeshShData(TShIDList absolute, TShIDList relative, ComPtr<IShellFolder> parentFolder);

    TShIDList absoluteID_;
    TShIDList relativeID_;

private:
    TShVirtuaItem Classify();
    int ReadIconIndex(bool open);
    bool IconByParent(bool open);
    // For an item of the Desktop that lies in the desktop directory, that directory's folder.
    ComPtr<IShellFolder> DesktopDirectoryHolding();

    TShIDList parentID_;
    ComPtr<IShellFolder> parentFolder_;
    std::string displayName_;
    bool nameRead_ = false;
    int iconIndex_ = -1;
    int openIconIndex_ = -1;
    int overlay_ = -1;
    int ghosted_ = -1;
    WIN32_FIND_DATAA findData_{};
    bool findDataRead_ = false;
    unsigned itemKind_ = 0;  // kind + 1 once classified
};
