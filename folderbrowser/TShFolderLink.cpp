#include "folderbrowser/TShFolderLink.h"

#include "toolkit/TComponent.h"

TShFolderLink::Tree::~Tree() { Link(this, nullptr, false); }

void TShFolderLink::Tree::LinkRemoved(const TComponent& component) {
    if (list_ && &list_->self_ == &component) list_ = nullptr;
}

TShFolderLink::List::~List() { Link(nullptr, this, true); }

void TShFolderLink::List::LinkRemoved(const TComponent& component) {
    if (tree_ && &tree_->self_ == &component) tree_ = nullptr;
}

void TShFolderLink::Link(Tree* tree, List* list, bool fromList) {
    List* oldList = tree ? tree->list_ : nullptr;
    Tree* oldTree = list ? list->tree_ : nullptr;
    if (oldList) {
        oldList->tree_ = nullptr;
        oldList->self_.RemoveFreeNotification(&tree->self_);
    }
    if (oldTree) {
        oldTree->list_ = nullptr;
        oldTree->self_.RemoveFreeNotification(&list->self_);
    }
    if (tree) tree->list_ = list;
    if (list) list->tree_ = tree;
    if (!tree || !list) return;
    list->self_.FreeNotification(&tree->self_);
    tree->SetIncludeHidden(list->ShowsHidden());
    if (fromList) {
        tree->SetShVirtuaItems(list->ShVirtuaItems());
    } else {
        list->SetShVirtuaItems(tree->ShVirtuaItems());
    }
}
