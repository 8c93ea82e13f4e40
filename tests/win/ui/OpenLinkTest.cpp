#include "ui/OpenLink.h"

#include <gtest/gtest.h>

#include <string>

#include "framework/WinApp.h"
#include "tests/win/ui/HelpTestSupport.h"
#include "tests/win/ui/HtmAssociation.h"
#include "tests/win/support/WinTestSupport.h"

namespace {

TEST(ReportLinkError, ShowsTheTextForEachCode) {
    struct Row {
        INT_PTR code;
        const char* text;
    } rows[] = {
        {0, "The operating system is out\nof memory or resources."},
        {1, "Unknown Error (1) occurred."},
        {2, "The specified file was not found."},
        {3, "The specified path was not found."},
        {5, "The operating system denied\naccess to the specified file."},
        {8, "There was not enough memory to complete the operation."},
        {11, "The .EXE file is invalid\n(non-Win32 .EXE or error in .EXE image)."},
        {26, "A sharing violation occurred. "},
        {27, "The filename association is\nincomplete or invalid."},
        {28, "The DDE transaction could not\nbe completed because the request timed out."},
        {29, "The DDE transaction failed."},
        {30, "The DDE transaction could not\nbe completed because other DDE transactions\nwere "
             "being processed."},
        {31, "There is no application associated\nwith the given filename extension."},
        {32, "The specified dynamic-link library was not found."},
        {33, "Unknown Error (33) occurred."},
    };
    const int count = sizeof rows / sizeof rows[0];
    wintest::MessageBoxAnswerer answer(AfxGetAppName(), IDOK, count);
    for (const Row& row : rows)
        ReportLinkError(row.code);
    ASSERT_TRUE(answer.Wait());
    for (int i = 0; i < count; ++i) {
        EXPECT_EQ(answer.Text(i), std::string("Unable to open hyperlink:\n\n") + rows[i].text)
            << "code " << rows[i].code;
    }
}

TEST(OpenLink, FallsBackToTheWebPageCommandWithTheTargetUnquoted) {
    std::string record = helptest::ExeFolder() + "open_link_record.txt";
    DeleteFileA(record.c_str());
    helptest::HtmAssociation association(helptest::RecordingCommand(record));
    ASSERT_TRUE(association.Active());

    // No file of that name: the shell's own open fails with "file not found".
    std::string target = helptest::ExeFolder() + "no such page.htm";
    INT_PTR result = OpenLink(target.c_str(), SW_HIDE);
    EXPECT_GT(result, 31);

    std::string recorded = helptest::WaitForFileText(record);
    // The command before the quoted placeholder, one more space, the bare target.
    EXPECT_NE(recorded.find(target), std::string::npos) << recorded;
    EXPECT_EQ(recorded.find('"'), std::string::npos) << recorded;
    DeleteFileA(record.c_str());
}

TEST(OpenLink, WithoutAnyHandlerReturnsTheShellsResult) {
    helptest::HtmAssociation association(""); // a file type without an open command
    ASSERT_TRUE(association.Active());
    std::string target = helptest::ExeFolder() + "no such page.htm";
    INT_PTR result = OpenLink(target.c_str(), SW_HIDE);
    EXPECT_LE(result, 32);
    EXPECT_GE(result, 0);
}

} // namespace
