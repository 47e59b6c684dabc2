#pragma once
// One item of a pop-up menu: a caption (or a separator), an enabled state the program reads
// and sets, a default mark, and a click that the user or the program performs.
#include <string>

#include "toolkit/TComponent.h"

class TMenuItem : public TComponent {
public:
    explicit TMenuItem(TComponent* owner, const std::string& caption = "");

    static TMenuItem* Separator(TComponent* owner) { return new TMenuItem(owner, "-"); }

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& caption);
    bool IsSeparator() const { return caption_ == "-"; }

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);

    // The menu's default item, drawn in bold.
    bool Default() const { return default_; }
    void SetDefault(bool value);

    // Runs OnClick, as a choice from the menu does; a disabled item does nothing.
    void Click();

    TNotifyEvent OnClick;
    // Raised after a property really changed, for whatever shows the item to redraw it.
    TNotifyEvent OnChange;

protected:
    void Changed();

private:
    std::string caption_;
    bool enabled_ = true;
    bool default_ = false;
};
