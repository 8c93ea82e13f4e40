// The manifest that the built executables carry: display scaling, the
// Windows versions the program is made for, Common Controls 6, UTF-8.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "tests/win/support/WinTestSupport.h"

namespace {

// The text of manifest resource 1 of `exe`, "" when there is none.
std::string ManifestOf(const std::string& exe) {
    HMODULE module = LoadLibraryExA(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (module == nullptr)
        return "";
    std::string text;
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24)); // RT_MANIFEST
    if (found != nullptr) {
        const char* data = static_cast<const char*>(LockResource(LoadResource(module, found)));
        if (data != nullptr)
            text.assign(data, SizeofResource(module, found));
    }
    FreeLibrary(module);
    return text;
}

// The text between <name ...> and </name>, "" when the element is missing.
std::string ElementText(const std::string& xml, const std::string& name) {
    const size_t open = xml.find("<" + name);
    if (open == std::string::npos)
        return "";
    const size_t start = xml.find('>', open);
    const size_t end = xml.find("</" + name + ">", start);
    if (start == std::string::npos || end == std::string::npos)
        return "";
    return xml.substr(start + 1, end - start - 1);
}

TEST(Manifest, BothExecutablesAreDpiAwareAndNameEveryWindowsVersion) {
    const char* const supportedOs[] = {
        "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}", // Windows 7
        "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}", // Windows 8
        "{1f676c76-80e1-4239-95bb-83d0f6d0da78}", // Windows 8.1
        "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}", // Windows 10 and 11
    };
    for (const char* exe : {"Tarvello.exe", "quenforenc.exe"}) {
        const std::string manifest = ManifestOf(wintest::EnvPath("TARVELLO_PROGRAM_DIR", exe));
        ASSERT_FALSE(manifest.empty()) << exe;
        // Per-monitor v2 where there is one (Windows 10 1703 on), else system
        // awareness: per-monitor v1 would resize the frame without rescaling
        // the dialogs' controls.
        EXPECT_EQ("true", ElementText(manifest, "dpiAware")) << exe;
        EXPECT_EQ("PerMonitorV2, System", ElementText(manifest, "dpiAwareness")) << exe;
        EXPECT_EQ("UTF-8", ElementText(manifest, "activeCodePage")) << exe;
        EXPECT_NE(std::string::npos, manifest.find("Microsoft.Windows.Common-Controls")) << exe;
        const std::string compatibility = ElementText(manifest, "compatibility");
        for (const char* id : supportedOs) {
            EXPECT_NE(std::string::npos,
                      compatibility.find(std::string("<supportedOS Id=\"") + id + "\"/>"))
                << exe << " " << id;
        }
    }
}

} // namespace
