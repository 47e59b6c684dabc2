#pragma once
// The tree and the list linked in a window, as the settings window holds them, over a
// folder of the test's own on the Desktop.
#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <string>

#include "folderbrowser/TKeshShListView.h"
#include "folderbrowser/TKeshShPopupMenu.h"
#include "folderbrowser/TKeshShTreeView.h"
#include "tests/support/TestEnvironment.h"
#include "toolkit/TForm.h"

class BrowserWindow {
public:
    BrowserWindow();
    ~BrowserWindow();
    TForm form{nullptr};
    TKeshShTreeView* tree;
    TKeshShListView* list;
    // Shared by both, as in the settings window.
    TKeshShPopupMenu* menu;
    int treeChanges = 0;
    int listChanges = 0;

    // Texts of a row as the view shows them (read through the view itself).
    std::string RowText(int row, int column = 0);
    // Names of all rows, in the order shown.
    std::vector<std::string> RowNames();
    // A click on a column header, as the header reports it.
    void ClickHeader(int column);
};

// The names of a node's child nodes, in the order shown; the child of that name (or null);
// the text a node shows.
std::vector<std::string> ChildNames(TKeshShTreeView& tree, TKeshShTreeNode* node);
TKeshShTreeNode* ChildNamed(TKeshShTreeView& tree, TKeshShTreeNode* node, const std::string& name);
std::string NodeText(TKeshShTreeView& tree, TKeshShTreeNode* node);
