#pragma once
// The contents of one folder as the list shows them: the rows, their order, the report
// columns and where their texts come from, and the selection to restore when the folder
// is shown again.
#include <windows.h>
#include <shlobj.h>

#include <memory>
#include <string>
#include <vector>

#include "folderbrowser/TKeshShFileData.h"

class TWinControl;

enum class TShColumnSource { shellDetails, folder2, fileSystem, nameOnly };

struct TShColumnName {
    std::string caption;
    int alignment = 0;  // 0 left, 1 right, 2 centre
    int sourceColumn = 0;
};

class TKeshShFileList final : public TKeshShFileData::Contents {
public:
    static constexpr int kDirections = 5;

    TKeshShFileList(TWinControl* owner, TShIDList folderID, ComPtr<IShellFolder> folder);

    TWinControl* Owner() const override { return owner_; }
    LPCITEMIDLIST FolderID() const override { return folderID_.get(); }
    LPCITEMIDLIST ParentID();
    LPCITEMIDLIST LastID();
    IShellFolder* Folder() const override { return folder_.get(); }
    // The folder's path ("" when it has none; the Desktop's is the desktop directory).
    const std::string& Path() const { return path_; }
    // Under this key the columns of the folder are remembered.
    std::string Key();

    int Count() const { return static_cast<int>(rows_.size()); }
    TKeshShFileData* Row(int index) const { return rows_[static_cast<size_t>(index)].get(); }
    int IndexOf(const TKeshShFileData* row) const override;
    void Add(std::unique_ptr<TKeshShFileData> row) {
        addedInOrder_ = false;
        rows_.push_back(std::move(row));
    }
    // The rows were added in ascending order of the first column (read ahead in that order):
    // the first sort by it has nothing to do.
    void SetAddedInOrder() { addedInOrder_ = true; }
    // Removes the rows that are marked selected.
    void RemoveSelected();

    int SortColumn = 0;
    int SortDirections[kDirections] = {1, 1, 1, 1, 1};
    // Sorts by the column with its direction, through the folder's own comparison.
    void Sort(int column);

    // The report columns, built once (BuildColumns) from the first source that answers.
    const std::vector<TShColumnName>& ColumnNames() const { return columnNames_; }
    void BuildColumns();
    std::vector<std::string> ReadDetails(TKeshShFileData& row) override;

    TKeshShFileData* Focused = nullptr;

private:
    bool ColumnsFromShellDetails();
    bool ColumnsFromFolder2();

    TWinControl* owner_;
    TShIDList folderID_;
    TShIDList parentID_;
    TShIDList lastID_;
    ComPtr<IShellFolder> folder_;
    ComPtr<IShellDetails> details_;
    ComPtr<IShellFolder2> folder2_;
    std::string path_;
    std::vector<std::unique_ptr<TKeshShFileData>> rows_;
    std::vector<TShColumnName> columnNames_;
    TShColumnSource source_ = TShColumnSource::nameOnly;
    bool columnsBuilt_ = false;
    bool addedInOrder_ = false;
};
