#pragma once
// A shell item shown as a row of the contents list. It holds only its relative identifier;
// the absolute list and the detail texts are built when first asked for.
#include <string>
#include <vector>

#include "folderbrowser/TKeshShData.h"

class TKeshShFileList;

class TKeshShFileData : public TKeshShData {
public:
    TKeshShFileData(TKeshShFileList& list, TShIDList relative);

    TKeshShFileList& FileList() const { return list_; }
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
    TKeshShFileList& list_;
    std::vector<std::string> detailTexts_;
    bool detailsRead_ = false;
    bool selected_ = false;
};
