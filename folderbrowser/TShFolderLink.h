#pragma once
// Where a folder tree and a contents list meet. Each knows the other only as the far end of
// this link, by what it asks of it, so neither knows the other's class: the list asks the
// tree to select the folder it opened, to show hidden items or not, to read its nodes again
// and to follow a rename; the tree asks the list to open the folder it selected and to take
// note of a change the program made while watching was off. Linked controls suspend each
// other's watching around what they change themselves.
#include <windows.h>
#include <shlobj.h>

#include <vector>

#include "folderbrowser/TKeshShIDList.h"
#include "folderbrowser/TShVirtuaItem.h"

class TComponent;

class TShFolderLink {
public:
    class List;

    // The tree's end.
    class Tree {
    public:
        Tree(const Tree&) = delete;
        Tree& operator=(const Tree&) = delete;

        // Finds, reading and expanding on the way, and selects the node of an absolute list.
        virtual void SelectID(LPCITEMIDLIST absolute) = 0;
        virtual void SetIncludeHidden(bool value) = 0;
        virtual TShVirtuaItems ShVirtuaItems() const = 0;
        virtual void SetShVirtuaItems(TShVirtuaItems value) = 0;
        virtual void RefreshNodes() = 0;
        // An item renamed in the list: its node takes the new identifier.
        virtual void ItemRenamed(LPCITEMIDLIST oldAbsolute, LPCITEMIDLIST newRelative) = 0;
        virtual void SuspendWatching(bool linked) = 0;
        virtual void ResumeWatching(bool linked) = 0;

        // The list at the far end, or null.
        List* LinkedList() const { return list_; }

    protected:
        explicit Tree(TComponent& self) : self_(self) {}
        ~Tree();
        // From the control's Notification: a list that goes is let go of.
        void LinkRemoved(const TComponent& component);

    private:
        friend class TShFolderLink;
        TComponent& self_;
        List* list_ = nullptr;
    };

    // The list's end.
    class List {
    public:
        List(const List&) = delete;
        List& operator=(const List&) = delete;

        // Shows a folder; false when it cannot be read.
        virtual bool OpenFolder(LPCITEMIDLIST folderID) = 0;
        // The program changed a folder itself while watching was off: the contents kept from
        // before go, and the shown folder's are read again when it is that folder.
        virtual void ContentsChanged(LPCITEMIDLIST folderID) = 0;
        // The shown folder's absolute list; null when none is shown.
        virtual LPCITEMIDLIST ShownFolderID() const = 0;
        // Whether the list shows hidden items (the tree always shows what the list does).
        virtual bool ShowsHidden() const = 0;
        // The reading of a folder that the list has just made on opening it, so that the
        // tree, expanding that folder's node next, need not read it again: the relative lists
        // of the items that SHCONTF `flags` ask for, the folder as the list bound it, and
        // true. False when the list holds no such reading: a reading is handed over once, and
        // only until the list next takes its messages, so nothing older than the folder's
        // last reading is handed.
        virtual bool TakeReading(LPCITEMIDLIST folderID, SHCONTF flags, std::vector<TShIDList>& relatives,
                                 ComPtr<IShellFolder>& folder) = 0;
        virtual TShVirtuaItems ShVirtuaItems() const = 0;
        virtual void SetShVirtuaItems(TShVirtuaItems value) = 0;
        virtual void SuspendWatching(bool linked) = 0;
        virtual void ResumeWatching(bool linked) = 0;

        // The tree at the far end, or null.
        Tree* LinkedTree() const { return tree_; }

    protected:
        explicit List(TComponent& self) : self_(self) {}
        ~List();
        void LinkRemoved(const TComponent& component);

    private:
        friend class TShFolderLink;
        TComponent& self_;
        Tree* tree_ = nullptr;
    };

    // Links a tree and a list both ways, each told when the other goes; what either was
    // linked to before lets go first. Either may be null, to unlink the other. The hidden
    // setting always goes from the list to the tree; the shown virtual items go from the
    // side that was set (the list's when `fromList`) to the other.
    static void Link(Tree* tree, List* list, bool fromList);
};
