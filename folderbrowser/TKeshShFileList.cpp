#include "folderbrowser/TKeshShFileList.h"

#include <algorithm>
#include <utility>

#include "folderbrowser/DetailText.h"
#include "folderbrowser/NameOrder.h"

namespace {
int Alignment(int format) {
    switch (format & LVCFMT_JUSTIFYMASK) {
        case LVCFMT_RIGHT:
            return 1;
        case LVCFMT_CENTER:
            return 2;
        default:
            return 0;
    }
}

bool HasCaption(const std::vector<TShColumnName>& columns, const std::string& caption) {
    return std::any_of(columns.begin(), columns.end(), [&](const TShColumnName& c) { return c.caption == caption; });
}
}  // namespace

TKeshShFileList::TKeshShFileList(TWinControl* owner, TShIDList folderID, ComPtr<IShellFolder> folder)
    : owner_(owner), folderID_(std::move(folderID)), folder_(std::move(folder)) {
    rows_.reserve(1000);
    path_ = TKeshShID::ToPath(TKeshShID::Count(FolderID()) == 0 ? TKeshShID::SpecialFolder(sfidDeskTopFolder).get()
                                                                : FolderID());
}

LPCITEMIDLIST TKeshShFileList::ParentID() {
    if (!parentID_ && TKeshShID::Count(FolderID()) > 0) parentID_ = TKeshShID::Parent(FolderID());
    return parentID_.get();
}

LPCITEMIDLIST TKeshShFileList::LastID() {
    if (!lastID_ && TKeshShID::Count(FolderID()) > 0) lastID_ = TKeshShID::LastCopy(FolderID());
    return lastID_.get();
}

std::string TKeshShFileList::Key() {
    if (!path_.empty()) return path_;
    // Folders without a path are remembered under their name as the Desktop gives it.
    return "::" + TKeshShID::DisplayName(TKeshShID::Desktop().get(), FolderID(), SHGDN_FORPARSING);
}

int TKeshShFileList::IndexOf(const TKeshShFileData* row) const {
    for (size_t i = 0; i < rows_.size(); ++i) {
        if (rows_[i].get() == row) return static_cast<int>(i);
    }
    return -1;
}

void TKeshShFileList::RemoveSelected() {
    if (Focused && Focused->Selected()) Focused = nullptr;
    rows_.erase(std::remove_if(rows_.begin(), rows_.end(), [](const auto& row) { return row->Selected(); }),
                rows_.end());
}

void TKeshShFileList::Sort(int column) {
    IShellFolder* folder = folder_.get();
    if (!folder) return;
    const int direction = column < kDirections ? SortDirections[column] : 1;
    // Rows read in the first column's order need nothing more for it.
    if (std::exchange(addedInOrder_, false) && column == 0 && direction == 1) return;
    SortInShellOrder(
        folder, rows_, [](const std::unique_ptr<TKeshShFileData>& row) { return row->RelativeID(); }, column, direction,
        FolderID());
}

bool TKeshShFileList::ColumnsFromShellDetails() {
    if (FAILED(folder_->QueryInterface(IID_IShellDetails, reinterpret_cast<void**>(details_.put()))) || !details_)
        return false;
    for (int column = 0;; ++column) {
        SHELLDETAILS detail{};
        if (FAILED(details_->GetDetailsOf(nullptr, static_cast<UINT>(column), &detail))) break;
        const std::string caption = TKeshShID::ReadStrRet(detail.str, nullptr);
        if (caption.empty() || HasCaption(columnNames_, caption)) break;
        columnNames_.push_back({caption, Alignment(detail.fmt), column});
    }
    if (columnNames_.empty()) details_.reset();
    return !columnNames_.empty();
}

bool TKeshShFileList::ColumnsFromFolder2() {
    OSVERSIONINFOA version{sizeof version};
    ::GetVersionExA(&version);
    if (version.dwMajorVersion <= 4) return false;
    if (FAILED(folder_->QueryInterface(IID_IShellFolder2, reinterpret_cast<void**>(folder2_.put()))) || !folder2_)
        return false;
    bool metDefault = false;
    for (UINT column = 0;; ++column) {
        SHCOLSTATEF state = 0;
        const bool onByDefault =
            SUCCEEDED(folder2_->GetDefaultColumnState(column, &state)) && (state & SHCOLSTATE_ONBYDEFAULT);
        if (metDefault && !onByDefault) break;
        metDefault = metDefault || onByDefault;
        SHELLDETAILS detail{};
        if (FAILED(folder2_->GetDetailsOf(nullptr, column, &detail))) break;
        const std::string caption = TKeshShID::ReadStrRet(detail.str, nullptr);
        if (caption.empty() || HasCaption(columnNames_, caption)) continue;
        columnNames_.push_back({caption, Alignment(detail.fmt), static_cast<int>(column)});
    }
    if (columnNames_.empty()) folder2_.reset();
    return !columnNames_.empty();
}

void TKeshShFileList::BuildColumns() {
    if (columnsBuilt_) return;
    columnsBuilt_ = true;
    columnNames_.clear();
    if (folder_ && ColumnsFromShellDetails()) {
        source_ = TShColumnSource::shellDetails;
    } else if (folder_ && ColumnsFromFolder2()) {
        source_ = TShColumnSource::folder2;
    } else if (!path_.empty()) {
        source_ = TShColumnSource::fileSystem;
        columnNames_ = {{"名前", 0, 0}, {"サイズ", 1, 1}, {"ファイルの種類", 0, 2}, {"更新日時", 0, 3}};
    } else {
        source_ = TShColumnSource::nameOnly;
        columnNames_ = {{"名前", 0, 0}};
    }
}

std::vector<std::string> TKeshShFileList::ReadDetails(TKeshShFileData& row) {
    BuildColumns();
    std::vector<std::string> texts;
    if (columnNames_.size() < 2) return texts;
    switch (source_) {
        case TShColumnSource::shellDetails:
        case TShColumnSource::folder2:
            for (size_t i = 1; i < columnNames_.size(); ++i) {
                SHELLDETAILS detail{};
                const UINT column = static_cast<UINT>(columnNames_[i].sourceColumn);
                const HRESULT hr = source_ == TShColumnSource::folder2
                                       ? folder2_->GetDetailsOf(row.RelativeID(), column, &detail)
                                       : details_->GetDetailsOf(row.RelativeID(), column, &detail);
                std::string text = SUCCEEDED(hr) ? TKeshShID::ReadStrRet(detail.str, row.RelativeID()) : std::string();
                if (source_ == TShColumnSource::folder2 && column == 3) text = WithoutDirectionMarks(text);
                texts.push_back(std::move(text));
            }
            break;
        case TShColumnSource::fileSystem:
            texts = FileSystemDetails(row);
            break;
        case TShColumnSource::nameOnly:
            break;
    }
    return texts;
}
