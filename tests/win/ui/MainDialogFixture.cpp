#include "tests/win/ui/MainDialogFixture.h"

#include <cstdio>
#include <fstream>
#include <sstream>

#include "core/ConversionSettings.h"
#include "core/SourceTable.h"
#include "framework/WinApp.h"
#include "res/resource.h"
#include "tests/win/support/WinTestSupport.h"

namespace apptest {

std::string MainDialogTest::TestFolder() {
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, sizeof path);
    std::string folder = path;
    return folder.substr(0, folder.find_last_of('\\') + 1);
}

std::string MainDialogTest::AppCaption() {
    return AfxGetAppName();
}

void MainDialogTest::SetUp() {
    // option.ini of the test folder starts absent: the defaults.
    DeleteFileA((TestFolder() + "option.ini").c_str());
    dlg.reset(new CConverterDlg());
    ASSERT_TRUE(dlg->Create(IDD_CONVERTER_DIALOG));
    dlg->ShowWindow(SW_SHOW);
    WriteEncoderScript("");
}

void MainDialogTest::TearDown() {
    if (dlg && dlg->GetSafeHwnd() != nullptr)
        dlg->DestroyWindow();
    dlg.reset();
}

void MainDialogTest::WriteEncoderScript(const std::string& script) {
    std::ofstream(TestFolder() + "fake_encoder_script.txt", std::ios::binary) << script;
    DeleteFileA((TestFolder() + "fake_encoder_log.txt").c_str());
    for (int n = 0; n < 20; ++n)
        DeleteFileA((TestFolder() + "fake_encoder_mark" + std::to_string(n)).c_str());
}

std::vector<std::string> MainDialogTest::EncoderLog() {
    std::ifstream in(TestFolder() + "fake_encoder_log.txt", std::ios::binary);
    std::vector<std::string> lines;
    std::string line;
    while (std::getline(in, line))
        lines.push_back(line);
    return lines;
}

std::string MainDialogTest::GoodProbe(const char* name, int seconds) {
    std::ostringstream script;
    script << "[" << name << "]\nsend 1 " << seconds
           << "\nsend 2 640\nsend 3 480\nsend 4 250000000\n";
    return script.str();
}

std::vector<char> MainDialogTest::Selection(const std::string& folder,
                                            const std::vector<std::string>& names) {
    std::vector<char> buffer(2048, '\0');
    std::string text = folder;
    text.push_back('\0');
    for (const std::string& name : names) {
        text += name;
        text.push_back('\0');
    }
    if (text.size() + 1 > buffer.size())
        buffer.resize(text.size() + 1, '\0');
    std::copy(text.begin(), text.end(), buffer.begin());
    return buffer;
}

std::vector<std::string> MainDialogTest::Import(const std::string& folder,
                                                const std::vector<std::string>& names,
                                                int expectedBoxes, DWORD timeoutMs) {
    std::vector<char> selection = Selection(folder, names);
    wintest::MessageBoxAnswerer answer(AppCaption().c_str(), IDOK,
                                       expectedBoxes > 0 ? expectedBoxes : 1,
                                       expectedBoxes > 0 ? timeoutMs : 300);
    dlg->ImportSelection(selection.data(), selection.size());
    answer.Wait();
    return answer.Texts();
}

void MainDialogTest::AddProbedRow(const std::string& path, double seconds, int width, int height,
                                  double frameRate) {
    ASSERT_TRUE(dlg->AddRow(path.c_str(), SourceRow{seconds, width, height, frameRate}));
}

std::string MainDialogTest::Cell(int row, int column) const {
    char text[1024] = "";
    dlg->m_list.GetItemText(row, column, text, sizeof text);
    return text;
}

void MainDialogTest::Click(int id) const {
    dlg->SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                     reinterpret_cast<LPARAM>(dlg->GetDlgItem(id)));
}

} // namespace apptest
