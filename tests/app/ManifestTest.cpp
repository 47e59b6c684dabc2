// The manifest the built Pictavo.exe carries, read as Windows reads it: the resource at
// the place Windows looks, each declaration with the value the program is written for;
// and that a loader honours it (this test executable carries the same one).
#include <commctrl.h>
#include <gtest/gtest.h>

#include <regex>

#include "tests/support/ProgramDriver.h"

namespace {
// The manifest resource of an executable, as text (empty when it has none).
std::string ManifestOf(const std::string& exe) {
    const UniqueHmodule module(
        ::LoadLibraryExA(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
    // The one a program is started with: identifier 1 of the manifest type.
    HRSRC found = module ? ::FindResourceA(module.get(), MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24)) : nullptr;
    const void* bytes = found ? ::LockResource(::LoadResource(module.get(), found)) : nullptr;
    return bytes ? std::string(static_cast<const char*>(bytes), ::SizeofResource(module.get(), found)) : std::string();
}

// The value of an attribute of every element of that name, in order.
std::vector<std::string> Attributes(const std::string& xml, const std::string& element, const std::string& name) {
    std::vector<std::string> values;
    const std::regex tag("<" + element + "\\b[^>]*>");
    const std::regex attribute("\\b" + name + "=\"([^\"]*)\"");
    for (auto it = std::sregex_iterator(xml.begin(), xml.end(), tag); it != std::sregex_iterator(); ++it) {
        std::smatch value;
        const std::string found = it->str();
        if (std::regex_search(found, value, attribute)) values.push_back(value[1]);
    }
    return values;
}

// The text of the only element of that name (empty when there is not exactly one).
std::string Text(const std::string& xml, const std::string& element) {
    const std::regex whole("<" + element + "\\b[^>]*>([^<]*)</" + element + ">");
    std::smatch match;
    if (!std::regex_search(xml, match, whole)) return std::string();
    const std::string text = match[1];
    return std::regex_search(match.suffix().first, xml.cend(), whole) ? std::string() : text;
}
}  // namespace

TEST(Manifest, DeclaresWhatTheProgramIsWrittenFor) {
    const ProgramDriver program;
    const std::string xml = ManifestOf(program.ExePath());
    ASSERT_FALSE(xml.empty()) << "no manifest where Windows looks for it";

    // Common controls of version 6.
    const auto dependencies = Attributes(xml, "assemblyIdentity", "name");
    ASSERT_EQ(dependencies.size(), 2u) << xml;
    EXPECT_EQ(dependencies[1], "Microsoft.Windows.Common-Controls");
    EXPECT_EQ(Attributes(xml, "assemblyIdentity", "version")[1], "6.0.0.0");
    EXPECT_EQ(Attributes(xml, "assemblyIdentity", "publicKeyToken"), std::vector<std::string>{"6595b64144ccf1df"});
    // The user's own rights: no elevation, and no file virtualisation.
    EXPECT_EQ(Attributes(xml, "requestedExecutionLevel", "level"), std::vector<std::string>{"asInvoker"});
    EXPECT_EQ(Attributes(xml, "requestedExecutionLevel", "uiAccess"), std::vector<std::string>{"false"});
    // Windows 7, 8, 8.1, and 10 with 11.
    EXPECT_EQ(
        Attributes(xml, "supportedOS", "Id"),
        (std::vector<std::string>{"{35138b9a-5d96-4fbd-8e2d-a2440225f93a}", "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",
                                  "{1f676c76-80e1-4239-95bb-83d0f6d0da78}", "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"}));
    // Unaware of display scaling, in the older declaration and in the newer, which wins.
    EXPECT_EQ(Text(xml, "dpiAware"), "false");
    EXPECT_EQ(Text(xml, "dpiAwareness"), "unaware");

    // Honoured: the buttons this process makes are of version 6, which alone knows their ideal size.
    UniqueHwnd button(::CreateWindowExA(0, "BUTTON", "OK", WS_POPUP, 0, 0, 80, 24, nullptr, nullptr,
                                        ::GetModuleHandleA(nullptr), nullptr));
    ASSERT_TRUE(button);
    SIZE ideal{};
    EXPECT_TRUE(::SendMessageA(button.get(), BCM_GETIDEALSIZE, 0, reinterpret_cast<LPARAM>(&ideal)));
}
