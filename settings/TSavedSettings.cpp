#include "settings/TSavedSettings.h"

#include "folderbrowser/TShContentsReader.h"
#include "settings/SettingsKeys.h"
#include "toolkit/TApplication.h"

TSavedSettings TSavedSettings::Read(const std::string& path, bool readAhead) {
    TSavedSettings saved;
    saved.file = std::make_unique<TSettingsFile>(path, TApplication::Instance().Title());
    saved.values = LoadSettings(*saved.file, TSettingsValues{});
    const std::string& folder = saved.values.folder;
    // The list reads the folder as it would itself: with its contents' flags.
    if (readAhead && !folder.empty() && folder != kComputerFolderName)
        saved.reading = std::make_unique<TShReadAhead>(folder, TShContentsReader().Flags());
    return saved;
}
