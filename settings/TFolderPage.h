#pragma once
// The settings window's first page, "保存先設定": the folder tree and list with the list's
// view styles and the shell's menu, the selected folder's label and the new-folder button.
// The window holds it as a part of itself (its controls are the window's), built once.
//
// It selects the saved folder with the reading made ahead for it, and reads from the shell,
// while start-up pauses, what the tree and the list show first.
#include <windows.h>

#include <exception>
#include <memory>
#include <string>

#include "folderbrowser/TKeshShListView.h"
#include "folderbrowser/TKeshShPopupMenu.h"
#include "folderbrowser/TKeshShTreeView.h"
#include "folderbrowser/TShReadAhead.h"
#include "toolbar/TBSkin.h"
#include "toolbar/TTBItem.h"
#include "toolbar/TTBToolbar.h"
#include "toolkit/TGroupBox.h"
#include "toolkit/TImageList.h"
#include "toolkit/TLabel.h"
#include "toolkit/TSplitter.h"
#include "toolkit/TTabSheet.h"
#include "widgets/TPictureButton.h"

class TFolderPage {
public:
    TGroupBox* grpFolder;
    TTBToolbar* TBToolbar1;
    TTBItem* TB_Icon;
    TTBItem* TB_SmallIcon;
    TTBItem* TB_List;
    TTBItem* TB_Report;
    TKeshShTreeView* KeshShTreeView1;
    TSplitter* Splitter1;
    TKeshShListView* KeshShListView1;
    TKeshShPopupMenu* KeshShPopupMenu1;  // the shell's menu, shared by the tree and the list
    TLabel* lblNowFolder;
    TPictureButton* btnNewFolder;

    // The save folder chosen in the tree now (empty when none, or when it has no path).
    std::string SelectedPath() const;
    // Selects a folder in the tree; raises when the tree cannot show it, leaving the
    // selection as it was.
    void SelectPath(const std::string& path);
    // The folder the list shows, where a new folder is made, and making one there (a
    // failure is told).
    std::string FolderPath() const;
    void CreateFolder(const std::string& name);

    void btnNewFolderClick(TObject& sender);
    // The four view-style items share it: the one clicked says the style.
    void TB_ViewStyleClick(TObject& sender);

protected:
    TFolderPage() = default;
    ~TFolderPage() = default;
    TFolderPage(const TFolderPage&) = delete;
    TFolderPage& operator=(const TFolderPage&) = delete;

    // Makes the page's controls, owned by `owner`, on `page`.
    void BuildFolderPage(TComponent* owner, TTabSheet* page, TBSkin* skin, TImageList* images);
    // Selects the folder the settings file named (none: empty), parsed and read by `reading`
    // if it stands for it (the list takes it while the folder is opened), then lets the
    // reading go. The list shows the Desktop when it shows nothing then. The error of the
    // selection, if any.
    std::exception_ptr SelectSavedFolder(const std::string& folder, std::unique_ptr<TShReadAhead> reading);
    // Looks up the icons of what the tree and the list show on a thread while this thread
    // waits `pause` ms, handling no message (the lookup holds the items), then reads the rest
    // of those items.
    void ReadShownItemsDuring(DWORD pause);
    // A file-system folder whose name the code page cannot spell: the tree gives no path.
    bool SelectedFolderUnspellable() const;
    void ShowSelectedFolder();

private:
    void BuildViewStyleItems(TComponent* owner, TBSkin* skin, TImageList* images);

    // While the saved folder is selected: the reading that parsed it.
    TShReadAhead* reading_ = nullptr;
};
