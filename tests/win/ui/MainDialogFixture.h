// The main dialog created inside the test process (modeless, from its
// template), with clean process-wide state and a scripted stand-in for the
// encoder beside the test executable.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "ui/ConverterDlg.h"

namespace apptest {

class MainDialogTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Writes the stand-in's script ("[name]" sections, see FakeEncoder.cpp)
    // and empties its log.
    static void WriteEncoderScript(const std::string& script);
    // Lines of the stand-in's log.
    static std::vector<std::string> EncoderLog();
    // Script lines of a file that probes well with this duration.
    static std::string GoodProbe(const char* name, int seconds);

    // The file dialog's buffer form of `names` in `folder`.
    static std::vector<char> Selection(const std::string& folder,
                                       const std::vector<std::string>& names);
    // Imports and returns the texts of the boxes shown afterwards (answering
    // up to `expectedBoxes` of them, looking for them up to `timeoutMs`).
    std::vector<std::string> Import(const std::string& folder,
                                    const std::vector<std::string>& names, int expectedBoxes,
                                    DWORD timeoutMs = 20000);

    // Puts a row into the list as a probe would have.
    void AddProbedRow(const std::string& path, double seconds, int width = 640, int height = 480,
                      double frameRate = 25.0);

    std::string Cell(int row, int column) const;
    int SelectedRow() const { return dlg->m_list.GetSelectedItem(); }
    void Click(int id) const;

    static std::string AppCaption();
    static std::string TestFolder(); // folder of the test executable, final backslash

    std::unique_ptr<CConverterDlg> dlg;
};

} // namespace apptest
