#pragma once
// A shell item shown as a row of the contents list. It holds only its relative identifier;
// the absolute list and the detail texts are built when first asked for.
#include <string>
#include <vector>

#include "folderbrowser/TKeshShData.h"

class TKeshShFileData : public TKeshShData {
public:
    // What a row asks of the contents it belongs to (its TKeshShFileList).
    class Contents {
    public:
        virtual TWinControl* Owner() const = 0;
        virtual LPCITEMIDLIST FolderID() const = 0;
        virtual IShellFolder* Folder() const = 0;
        virtual int IndexOf(const TKeshShFileData* row) const = 0;
        // The texts of the row's report columns after the name.
        virtual std::vector<std::string> ReadDetails(TKeshShFileData& row) = 0;

    protected:
        ~Contents() = default;
    };

    TKeshShFileData(Contents& list, TShIDList relative);

    Contents& FileList() const { return list_; }
    int Index() override;
    TWinControl* OwnerControl() override;
    LPCITEMIDLIST AbsoluteID() override;
    IShellFolder* ParentFolder() override;
    void Renamed(TShIDList relative) override;

    // The texts of the report columns after the name, read once.
    virtual const std::vector<std::string>& DetailTexts();

    bool Selected() const { return selected_; }
    void SetSelected(bool value) { selected_ = value; }

private:
    Contents& list_;
    std::vector<std::string> detailTexts_;
    bool detailsRead_ = false;
    bool selected_ = false;
};
