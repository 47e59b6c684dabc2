#pragma once
// A text label that behaves like a web link: it changes colour while the pointer is over
// it, can show its target in a small pop-up beside the pointer, and hands the target to
// the shell when it is pressed with the left mouse button.
#include <functional>
#include <memory>
#include <string>

#include "toolkit/TCustomLabel.h"
#include "widgets/TURLLinkHint.h"

enum class TURLtype { tpURL, tpMAIL };

class TURLLink : public TCustomLabel {
public:
    explicit TURLLink(TComponent* owner);
    ~TURLLink() override;

    TURLtype URLType() const { return urlType_; }
    void SetURLType(TURLtype value);
    const std::string& Link() const { return link_; }
    void SetLink(const std::string& value);
    // Font colour while the pointer is over the label.
    TColor LinkColor() const { return linkColor_; }
    void SetLinkColor(TColor value);
    TColor HintFormColor() const { return hintFormColor_; }
    void SetHintFormColor(TColor value);
    // Where the pop-up appears, relative to the pointer.
    int HintOffsetX() const { return hintOffsetX_; }
    void SetHintOffsetX(int value);
    int HintOffsetY() const { return hintOffsetY_; }
    void SetHintOffsetY(int value);
    bool EnableShowHint() const { return enableShowHint_; }
    void SetEnableShowHint(bool value);
    // Copied, not shared.
    const TFont& HintFormFont() const { return hintFormFont_; }
    void SetHintFormFont(const TFont& font);

    bool HintShowing() const { return hintShowing_; }
    TURLLinkHint& HintForm() { return *hint_; }

    // What the shell is asked to open: "mailto:" + link for a mail address, else the link.
    static std::string Target(TURLtype type, const std::string& link);

    // Opens a target. The default asks the shell ("OPEN", shown normally); tests put a
    // recorder in its place. Returns the one it replaced.
    using TLauncher = std::function<void(const std::string& target)>;
    static TLauncher SetLauncher(TLauncher launcher);
    static void ShellOpen(const std::string& target);

protected:
    void MouseEnter() override;
    void MouseLeave() override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;

private:
    void HideHint();

    TURLtype urlType_ = TURLtype::tpURL;
    std::string link_ = "http://";
    TColor linkColor_ = clRed;
    TColor hintFormColor_ = clInfoBk;
    int hintOffsetX_ = 15;
    int hintOffsetY_ = 15;
    bool enableShowHint_ = true;
    TFont hintFormFont_;
    // No owner: the label frees it.
    std::unique_ptr<TURLLinkHint> hint_;
    TColor savedColor_ = clBlue;
    bool hintShowing_ = false;
};
