#include "settings/TFolderPage.h"

#include "folderbrowser/SystemImageLists.h"
#include "folderbrowser/TShIconsAhead.h"
#include "settings/ControlPlacing.h"
#include "settings/NewFolderName.h"
#include "settings/ToolbarPictures.h"
#include "toolkit/Exception.h"
#include "toolkit/FilePath.h"
#include "toolkit/MessageBoxes.h"
#include "toolkit/StartupSteps.h"

namespace {
constexpr int kTreeWidth = 239;
constexpr int kSplitterWidth = 3;
// The strip under the tree and the list: the selected folder and the new-folder button.
constexpr int kFolderStripHeight = 44;
}  // namespace

void TFolderPage::BuildViewStyleItems(TComponent* owner, TBSkin* skin, TImageList* images) {
    TBToolbar1 = new TTBToolbar(owner);
    TBToolbar1->SetBounds(8, 16, 0, 0);
    TBToolbar1->SetSkin(skin);
    TBToolbar1->SetImages(images);
    const int first = images->Count() - tpCount;
    auto item = [&](const std::string& caption, TToolbarPicture picture) {
        return AddItem(TBToolbar1, caption, first + picture, [this](TObject& sender) { TB_ViewStyleClick(sender); });
    };
    TB_Icon = item("大きいアイコン", tpLargeIcons);
    TB_SmallIcon = item("小さいアイコン", tpSmallIcons);
    TB_List = item("一覧", tpList);
    TB_Report = item("詳細", tpDetails);
    TB_Icon->SetChecked(true);
    TBToolbar1->SetParent(grpFolder);
}

void TFolderPage::BuildFolderPage(TComponent* owner, TTabSheet* page, TBSkin* skin, TImageList* images) {
    const int width = page->ClientWidth();
    const int height = page->ClientHeight();
    grpFolder = Place<TGroupBox>(owner, page, 4, 4, width - 8, height - 8, "保存先フォルダの指定");
    const int inner = grpFolder->Width();
    const int bottom = grpFolder->Height();
    BuildViewStyleItems(owner, skin, images);
    const int top = TBToolbar1->Top() + TBToolbar1->Height() + 2;
    const int viewHeight = bottom - kFolderStripHeight - top;

    // Both are set up before their windows exist: the tree's style follows AutoExpand.
    KeshShTreeView1 = new TKeshShTreeView(owner);
    KeshShTreeView1->SetAutoExpand(true);
    KeshShTreeView1->SetIndent(19);
    KeshShTreeView1->SetBounds(8, top, kTreeWidth, viewHeight);
    // Each row's icon drawn onto the screen makes a bitmap of the display's kind, which
    // costs Wine round trips to its server; into memory it does not.
    KeshShTreeView1->SetDoubleBuffered(true);
    KeshShListView1 = new TKeshShListView(owner);
    const int listLeft = 8 + kTreeWidth + kSplitterWidth;
    KeshShListView1->SetBounds(listLeft, top, inner - 8 - listLeft, viewHeight);
    KeshShListView1->SetShTreeView(KeshShTreeView1);
    // The settings file's folder is opened right after: the Desktop only if that fails.
    KeshShListView1->SetDesktopAtStart(false);
    // Shown only through the tree and the list, for the items under the pointer; the
    // shell's commands go before any items of its own.
    KeshShPopupMenu1 = new TKeshShPopupMenu(owner);
    KeshShPopupMenu1->SetInsertPos(0);
    KeshShTreeView1->SetShPopupMenu(KeshShPopupMenu1);
    KeshShListView1->SetShPopupMenu(KeshShPopupMenu1);
    Splitter1 = new TSplitter(owner);
    Splitter1->SetWidth(kSplitterWidth);
    Splitter1->SetBeveled(true);
    Splitter1->SetControls(KeshShTreeView1, KeshShListView1);
    KeshShTreeView1->SetParent(grpFolder);
    Splitter1->SetParent(grpFolder);
    KeshShListView1->SetParent(grpFolder);
    // The settings file selects its folder while the window is made, before it is shown.
    KeshShTreeView1->Handle();
    KeshShListView1->Handle();

    // Two lines in a fixed box: a long path must not run under the button.
    lblNowFolder = new TLabel(owner);
    lblNowFolder->SetAutoSize(false);
    lblNowFolder->SetBounds(12, bottom - 40, inner - 160, 28);
    lblNowFolder->SetParent(grpFolder);
    btnNewFolder = PlaceButton(owner, grpFolder, inner - 12 - 121, bottom - 37, 121, 25, "新規フォルダ作成");
    btnNewFolder->OnClick = [this](TObject& sender) { btnNewFolderClick(sender); };
}

std::exception_ptr TFolderPage::SelectSavedFolder(const std::string& folder, std::unique_ptr<TShReadAhead> reading) {
    std::exception_ptr error;
    reading_ = reading.get();
    KeshShListView1->OfferReading(reading_);
    try {
        SelectPath(folder);
    } catch (...) {
        error = std::current_exception();
    }
    // Taken by the list by now, or of no use: the folder is not watched any longer.
    KeshShListView1->OfferReading(nullptr);
    reading_ = nullptr;
    reading.reset();
    KeshShListView1->OpenDesktopIfNoneShown();
    return error;
}

std::string TFolderPage::SelectedPath() const { return KeshShTreeView1->SelectedPath(); }

void TFolderPage::SelectPath(const std::string& path) {
    // Parsed once for the tree and the check below, by the reading ahead when it reads this
    // folder: the shell takes a while over each parsing.
    TShIDList wanted = reading_ ? reading_->Parsed(path) : TShIDList();
    if (!wanted) wanted = TKeshShID::FromPath(path);
    if (wanted) KeshShTreeView1->SelectID(wanted.get());
    if (path.empty()) return;
    // Gone, not a folder, or not a path at all: the tree changes nothing, and the user
    // must not take whatever it still shows for the folder asked for.
    TKeshShTreeNode* selected = KeshShTreeView1->Selected();
    if (!wanted || !selected ||
        TKeshShID::Compare(selected->ShData()->AbsoluteID(), wanted.get()) != TKeshShID::crEqual) {
        throw Exception("保存先フォルダ " + path + " が見つかりません");
    }
}

void TFolderPage::ReadShownItemsDuring(DWORD pause) {
    SystemImageLists::Prepare();
    {
        // The lookup holds the items it was given until Finish: between the two this thread
        // handles no message, so nothing can change or free them.
        TShIconsAhead icons;
        KeshShTreeView1->AskIconsAhead(icons);
        KeshShListView1->AskIconsAhead(icons);
        icons.Start();
        ::Sleep(pause);
        StartupSteps::Reached("pause over");
        icons.Finish();
    }
    KeshShTreeView1->ReadVisibleItems();
    KeshShListView1->ReadVisibleItems();
}

bool TFolderPage::SelectedFolderUnspellable() const {
    // The tree gives no path for a file-system folder whose name holds characters the
    // ANSI code page lacks, since the replaced text would name another folder.
    TKeshShTreeNode* node = KeshShTreeView1->Selected();
    return node && node->ShData()->HasAttributes(SFGAO_FILESYSTEM) && node->ShData()->Path().empty();
}

void TFolderPage::ShowSelectedFolder() { lblNowFolder->SetCaption("選択されているフォルダ\r\n" + SelectedPath()); }

std::string TFolderPage::FolderPath() const { return KeshShListView1->FolderPath(); }

void TFolderPage::btnNewFolderClick(TObject&) {
    const std::string folder = FolderPath();
    if (folder.empty()) {
        MessageBoxes::Error("保存先フォルダを選択してください");
        return;
    }
    const std::string name = NewFolderName(folder);
    // All 256 names taken: nothing is made.
    if (name.empty()) return;
    CreateFolder(name);
}

void TFolderPage::CreateFolder(const std::string& name) {
    const std::string path = AddTrailingBackslash(FolderPath()) + name;
    const bool created = KeshShListView1->CreateFolder(name);
    // The tree shows the new folder whether or not the list could select it.
    KeshShTreeView1->RefreshNodes();
    if (!created) throw Exception("フォルダ " + path + " を作成できません");
}

void TFolderPage::TB_ViewStyleClick(TObject& sender) {
    TTBItem* const items[] = {TB_Icon, TB_SmallIcon, TB_List, TB_Report};
    for (int style = 0; style < 4; ++style) {
        if (items[style] != &sender) continue;
        KeshShListView1->SetViewStyle(static_cast<TViewStyle>(style));
        KeshShListView1->Repaint();
    }
    for (TTBItem* item : items) item->SetChecked(item == &sender);
}
