#include <gtest/gtest.h>

#include <string>

#include "settings/TfrmVersion.h"
#include "settings/VersionReader.h"
#include "tests/support/TestEnvironment.h"
#include "toolkit/Exception.h"

namespace {
std::string BinFolder() {
    std::string path = TfrmVersion::ExecutablePath();
    return path.substr(0, path.rfind('\\') + 1);
}
std::string Fixture(const std::string& name) { return BinFolder() + "fixtures\\" + name + ".dll"; }
std::string ProgramPath() { return BinFolder() + "Pictavo.exe"; }

// The text after reading, starting from a marker that shows whether it was touched.
std::string Read(const std::string& module, int index) {
    std::string text = "(unchanged)";
    ReadVersionString(module, index, text);
    return text;
}
}  // namespace

TEST(VersionReader, ReadsThePictavoResourceInShiftJis) {
    struct Case {
        int index;
        const char* expected;
    } cases[] = {
        {vkProductName, "Pictavo"},
        {vkProductVersion, "3.0.0"},
        {vkFileVersion, "3.0.0.0"},
        {vkLegalCopyright, "Copyright (C) 2026 Pictavo 開発チーム"},
        {vkPrivateBuild, "(unchanged)"},    // not in the resource
        {vkSpecialBuild, "(unchanged)"},    // not in the resource
        {kVersionKeyCount, "(unchanged)"},  // no such key
        {-1, "(unchanged)"},
    };
    // The program itself, and this test executable that carries the same resource.
    for (const std::string& module : {ProgramPath(), TfrmVersion::ExecutablePath()}) {
        for (const Case& c : cases) {
            EXPECT_EQ(Utf8(Read(module, c.index)), Utf8(c.expected)) << module << " key " << c.index;
        }
    }
}

TEST(VersionReader, EmptyValuesAreReadAsEmptyOrLeaveTheTextAlone) {
    // "CompanyName" and the like are stored empty: whichever way the system reports an
    // empty value, no stray bytes may come back.
    for (int index :
         {vkComments, vkCompanyName, vkFileDescription, vkInternalName, vkLegalTrademarks, vkOriginalFilename}) {
        std::string text = Read(ProgramPath(), index);
        EXPECT_TRUE(text.empty() || text == "(unchanged)") << VersionKeyName(index) << ": " << text;
    }
}

TEST(VersionReader, ModuleWithoutResourceOrFileLeavesTheTextUnchanged) {
    for (const std::string& module : {Fixture("NoVersion"), BinFolder() + "missing.dll", std::string()}) {
        EXPECT_EQ(Read(module, vkProductName), "(unchanged)") << module;
    }
}

TEST(VersionReader, ResourceWithoutTranslationEntryFails) {
    std::string text = "before";
    try {
        ReadVersionString(Fixture("NoTranslation"), vkProductName, text);
        FAIL() << "no error";
    } catch (const Exception& error) {
        EXPECT_EQ(Utf8(error.Message()), Utf8("情報の取得に失敗しました"));
    }
    EXPECT_EQ(text, "before");
}

TEST(VersionReader, TranslationNamingAnotherLanguageFindsNothing) {
    EXPECT_EQ(Read(Fixture("OtherTranslation"), vkProductName), "(unchanged)");
}
