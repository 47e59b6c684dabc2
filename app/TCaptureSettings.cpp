#include "app/TCaptureSettings.h"

#include "settings/FreeFileName.h"
#include "toolkit/Exception.h"
#include "toolkit/FilePath.h"

const TSettingsView& TCaptureSettings::View() const {
    if (!view_) throw Exception("設定画面がありません");
    return *view_;
}

bool TCaptureSettings::FindFreeFileName(const std::string& path, std::string& fullPath) const {
    const TSettingsView& view = View();
    return ::FindFreeFileName(view.NamingRule(), view.NumberRange(), ExtractFilePath(path), fullPath);
}

bool TCaptureSettings::NextFreePath(std::string& fullPath) const {
    // The rule is read once for the candidate and the search: it cannot change between.
    const TSettingsView& view = View();
    const TNamingRule rule = view.NamingRule();
    const std::string candidate = saveFolder_ + rule.FileName(startNumber_);
    return ::FindFreeFileName(rule, view.NumberRange(), ExtractFilePath(candidate), fullPath);
}
