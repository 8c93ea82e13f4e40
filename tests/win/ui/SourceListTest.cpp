// The source list inside the main dialog: rows and SourceTable in step when
// files are removed and moved, and the import's choices (failures reported
// after all probes, the probe row cleared, the 99-row limit, long paths, a
// missing encoder, commands refused while probing), with a scripted encoder.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/ConversionSettings.h"
#include "core/SourceTable.h"
#include "run/WindowProgressPort.h"
#include "run/EncoderJobs.h"
#include "res/resource.h"
#include "tests/win/ui/MainDialogFixture.h"
#include "tests/win/support/WinTestSupport.h"

namespace apptest {
namespace {

using SourceListTest = MainDialogTest;

const char kFolder[] = "C:\\clips";

std::string InFolder(const char* name) {
    return std::string(kFolder) + "\\" + name;
}

TEST_F(SourceListTest, RemovingRowTwoOfFourRenumbersSelectsAndShiftsTheTable) {
    for (int i = 0; i < 4; ++i) {
        AddProbedRow(InFolder(("f" + std::to_string(i) + ".avi").c_str()), 100.0 * (i + 1), 100 + i,
                     200 + i, 20.0 + i);
    }
    EXPECT_DOUBLE_EQ(1000.0, dlg->GetSession().sources.TotalSeconds());
    dlg->m_list.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
    Click(IDC_LIST_REMOVE);

    ASSERT_EQ(3, dlg->GetSession().sources.Count());
    ASSERT_EQ(3, dlg->m_list.GetItemCount());
    EXPECT_DOUBLE_EQ(800.0, dlg->GetSession().sources.TotalSeconds());
    const int oldRow[] = {0, 2, 3};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ("          " + std::to_string(i + 1), Cell(i, 0));
        EXPECT_EQ(InFolder(("f" + std::to_string(oldRow[i]) + ".avi").c_str()), Cell(i, 1));
        const SourceRow* row = dlg->GetSession().sources.At(i);
        EXPECT_EQ(100.0 * (oldRow[i] + 1), row->duration);
        EXPECT_EQ(100 + oldRow[i], row->width);
        EXPECT_EQ(200 + oldRow[i], row->height);
        EXPECT_EQ(20.0 + oldRow[i], row->frameRate);
    }
    EXPECT_EQ(1, SelectedRow());
    EXPECT_EQ(dlg->m_list.GetSafeHwnd(), GetFocus());
}

TEST_F(SourceListTest, RemovingTheLastRowLeavesNoSelectionAndNoSelectionRemovesNothing) {
    AddProbedRow(InFolder("a.avi"), 10.0);
    AddProbedRow(InFolder("b.avi"), 20.0);
    Click(IDC_LIST_REMOVE); // nothing selected: nothing happens, nothing shown
    EXPECT_EQ(2, dlg->GetSession().sources.Count());
    dlg->m_list.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
    dlg->SendMessage(WM_COMMAND, ID_LIST_REMOVE_FILE, 0);
    EXPECT_EQ(1, dlg->GetSession().sources.Count());
    EXPECT_EQ(-1, SelectedRow());
    EXPECT_DOUBLE_EQ(10.0, dlg->GetSession().sources.TotalSeconds());
}

TEST_F(SourceListTest, MovingCarriesTheFileWithAllItsValues) {
    AddProbedRow(InFolder("first.avi"), 3725.0, 640, 480, 25.0);
    AddProbedRow(InFolder("second.avi"), 360000.0, 720, 576, 29.97);
    EXPECT_EQ("01:02:05", Cell(0, 2));
    EXPECT_EQ("100:00:00", Cell(1, 2));
    dlg->m_list.SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
    Click(IDC_LIST_DOWN);
    EXPECT_EQ(InFolder("second.avi"), Cell(0, 1));
    EXPECT_EQ(InFolder("first.avi"), Cell(1, 1));
    EXPECT_EQ("100:00:00", Cell(0, 2));
    EXPECT_EQ("01:02:05", Cell(1, 2));
    EXPECT_EQ("          1", Cell(0, 0));
    EXPECT_EQ("          2", Cell(1, 0));
    EXPECT_EQ(1, SelectedRow());
    EXPECT_EQ(3725.0, dlg->GetSession().sources.At(1)->duration);
    EXPECT_EQ(640, dlg->GetSession().sources.At(1)->width);
    EXPECT_EQ(29.97, dlg->GetSession().sources.At(0)->frameRate);
    EXPECT_DOUBLE_EQ(363725.0, dlg->GetSession().sources.TotalSeconds());

    // At the end it moves towards: only the focus.
    Click(IDC_LIST_DOWN);
    EXPECT_EQ(InFolder("first.avi"), Cell(1, 1));
    dlg->SendMessage(WM_COMMAND, ID_LIST_MOVE_UP, 0);
    EXPECT_EQ(InFolder("first.avi"), Cell(0, 1));
    EXPECT_EQ(0, SelectedRow());
}

// The tip the list asks its dialog for when the pointer rests on `row`.
std::string InfoTip(CConverterDlg& dlg, int row) {
    char text[256] = "unfolded";
    NMLVGETINFOTIPA info = {};
    info.hdr.hwndFrom = dlg.m_list.GetSafeHwnd();
    info.hdr.idFrom = IDC_SOURCE_LIST;
    info.hdr.code = LVN_GETINFOTIPA;
    info.pszText = text;
    info.cchTextMax = sizeof text;
    info.iItem = row;
    dlg.SendMessage(WM_NOTIFY, IDC_SOURCE_LIST, reinterpret_cast<LPARAM>(&info));
    return text;
}

TEST_F(SourceListTest, AFailedRowShowsItsStatusAndReasonWhereverItMoves) {
    AddProbedRow(InFolder("first.avi"), 10.0);
    AddProbedRow(InFolder("second.avi"), 20.0);
    EXPECT_EQ("", Cell(0, 3)) << "no status before a run";
    RowState* state = dlg->GetSession().sources.State(0);
    state->status = RowStatus::kFailed;
    state->reason = "the encoder crashed";
    dlg->m_list.ShowState(0);
    dlg->GetSession().sources.State(1)->status = RowStatus::kDone;
    dlg->m_list.ShowState(1);
    dlg->m_list.SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
    Click(IDC_LIST_DOWN);
    EXPECT_EQ("Done", Cell(0, 3));
    EXPECT_EQ("Failed", Cell(1, 3));
    EXPECT_EQ("the encoder crashed", InfoTip(*dlg, 1));
    EXPECT_EQ("unfolded", InfoTip(*dlg, 0)) << "a row that did not fail keeps the list's own tip";
    EXPECT_EQ("unfolded", InfoTip(*dlg, 5));
}

TEST_F(SourceListTest, MovingWithoutSelectionWarnsOnlyWithTwoRows) {
    AddProbedRow(InFolder("a.avi"), 10.0);
    {
        wintest::MessageBoxAnswerer none("Warning", IDOK, 1, 300);
        Click(IDC_LIST_UP);
        EXPECT_FALSE(none.Wait());
    }
    AddProbedRow(InFolder("b.avi"), 10.0);
    wintest::MessageBoxAnswerer warning("Warning", IDOK);
    Click(IDC_LIST_UP);
    ASSERT_TRUE(warning.Wait());
    EXPECT_EQ("No item was selected!", warning.Text(0));
}

TEST_F(SourceListTest, ImportReportsFailuresAfterAllProbesAndNeverShowsStaleValues) {
    // b.avi ends without a duration report: with an uncleared probe row it
    // would have shown a.avi's leftover duration.
    WriteEncoderScript(GoodProbe("a.avi", 75) +
                       "[b.avi]\nsend 2 640\nsend 3 480\nsend 4 250000000\n" +
                       GoodProbe("c.avi", 3725) + "[d.avi]\nsend 1 0\n");
    AddProbedRow(InFolder("old.avi"), 5.0);
    std::vector<std::string> boxes = Import(kFolder, {"a.avi", "b.avi", "c.avi", "d.avi"}, 2);
    ASSERT_EQ(2u, boxes.size());
    EXPECT_EQ("Load file " + InFolder("b.avi") + " failed.", boxes[0]);
    EXPECT_EQ("Load file " + InFolder("d.avi") + " failed.", boxes[1]);
    ASSERT_EQ(3, dlg->GetSession().sources.Count());
    EXPECT_EQ(InFolder("a.avi"), Cell(1, 1));
    EXPECT_EQ("00:01:15", Cell(1, 2));
    EXPECT_EQ(InFolder("c.avi"), Cell(2, 1));
    EXPECT_EQ("01:02:05", Cell(2, 2));
    EXPECT_EQ("          3", Cell(2, 0));
    EXPECT_DOUBLE_EQ(5.0 + 75.0 + 3725.0, dlg->GetSession().sources.TotalSeconds());
    // Probe mode, and a report window of the probe's own.
    std::vector<std::string> log = EncoderLog();
    ASSERT_FALSE(log.empty());
    const size_t mode = log[0].rfind(" 1 ");
    ASSERT_NE(std::string::npos, mode) << log[0];
    const std::string window = log[0].substr(mode + 3);
    EXPECT_NE(std::to_string(reinterpret_cast<INT_PTR>(dlg->GetSafeHwnd())), window);
    EXPECT_NE("0", window);
}

TEST_F(SourceListTest, ManyFailuresAreToldInOneBox) {
    dlg->GetSession().settings.simultaneousConversions = 3;
    WriteEncoderScript("[*]\nsend 1 0\n"); // every probe fails
    std::vector<std::string> names;
    std::string listed;
    for (int i = 1; i <= 23; ++i) {
        names.push_back("bad" + std::to_string(i) + ".avi");
        if (i <= 20)
            listed += "Load file " + InFolder(names.back().c_str()) + " failed.\n";
    }
    // Every box shown is answered, so that one box each still ends the import.
    wintest::MessageBoxAnswerer boxes(AppCaption().c_str(), IDOK, 30);
    std::vector<char> selection = Selection(kFolder, names);
    dlg->ImportSelection(selection.data(), selection.size()); // returns once its boxes are answered
    EXPECT_EQ(std::vector<std::string>{listed + "\xE2\x80\xA6"
                                                "and 3 more files could not be used."}, // "…"
              boxes.Texts());
    EXPECT_EQ(0, dlg->GetSession().sources.Count());
}

TEST_F(SourceListTest, ProbesRunAtOnceAndRowsKeepTheOrderTheFilesWereChosen) {
    dlg->GetSession().settings.simultaneousConversions = 3;
    // a.avi waits for the probes of b.avi and c.avi: one after the other it
    // would wait in vain. b.avi and e.avi fail.
    WriteEncoderScript("[a.avi]\nawait 2\nawait 3\n" + GoodProbe("a.avi", 10).substr(8) +
                       "[b.avi]\nsend 1 0\nmark 2\n" + GoodProbe("c.avi", 30) + "mark 3\n" +
                       GoodProbe("d.avi", 40) + "[e.avi]\nsleep 1\n");
    std::vector<std::string> boxes =
        Import(kFolder, {"a.avi", "b.avi", "c.avi", "d.avi", "e.avi"}, 2);
    EXPECT_EQ((std::vector<std::string>{"Load file " + InFolder("b.avi") + " failed.",
                                        "Load file " + InFolder("e.avi") + " failed."}),
              boxes);
    ASSERT_EQ(3, dlg->m_list.GetItemCount());
    const char* names[] = {"a.avi", "c.avi", "d.avi"};
    const char* durations[] = {"00:00:10", "00:00:30", "00:00:40"};
    for (int row = 0; row < 3; ++row) {
        EXPECT_EQ(InFolder(names[row]), Cell(row, 1));
        EXPECT_EQ(durations[row], Cell(row, 2));
    }
    EXPECT_DOUBLE_EQ(80.0, dlg->GetSession().sources.TotalSeconds());
    for (const std::string& line : EncoderLog())
        EXPECT_EQ(std::string::npos, line.find("timed out")) << line;
}

TEST_F(SourceListTest, ReportsThatComeWhileTheProbeStartsCountForItsFile) {
    // The encoder sends nothing itself: the probe's reports all come while its
    // start still runs, from inside the making of its report window.
    WriteEncoderScript("[a.avi]\nexit 0\n");
    const std::vector<wintest::SendOnCreate::Message> reports = {{WM_ENCODER_EVENT, 1, 75},
                                                                 {WM_ENCODER_EVENT, 2, 640},
                                                                 {WM_ENCODER_EVENT, 3, 480},
                                                                 {WM_ENCODER_EVENT, 4, 250000000}};
    wintest::SendOnCreate early(kReportWindowClass, {reports});
    wintest::MessageBoxAnswerer failure(AppCaption().c_str(), IDOK);
    std::vector<char> selection = Selection(kFolder, {"a.avi"});
    dlg->ImportSelection(selection.data(), selection.size()); // returns once its boxes are answered

    EXPECT_EQ(1, early.Created());
    EXPECT_EQ(std::vector<std::string>{}, failure.Texts());
    ASSERT_EQ(1, dlg->GetSession().sources.Count());
    EXPECT_EQ(InFolder("a.avi"), Cell(0, 1));
    EXPECT_EQ("00:01:15", Cell(0, 2));
    EXPECT_EQ(640, dlg->GetSession().sources.At(0)->width);
}

TEST_F(SourceListTest, ListStopsAt99RowsWithOneMessage) {
    for (int i = 0; i < 98; ++i)
        AddProbedRow(InFolder(("f" + std::to_string(i) + ".avi").c_str()), 1.0);
    WriteEncoderScript(GoodProbe("x.avi", 10) + GoodProbe("y.avi", 10) + GoodProbe("z.avi", 10));
    std::vector<std::string> boxes = Import(kFolder, {"x.avi", "y.avi", "z.avi"}, 1);
    ASSERT_EQ(1u, boxes.size());
    EXPECT_EQ("The list holds at most 99 video files. 2 selected files were not added.", boxes[0]);
    EXPECT_EQ(99, dlg->GetSession().sources.Count());
    EXPECT_EQ(99, dlg->m_list.GetItemCount());
    EXPECT_EQ(InFolder("x.avi"), Cell(98, 1));
    // Only x.avi was probed.
    int runs = 0;
    for (const std::string& line : EncoderLog())
        runs += line.rfind("args ", 0) == 0 ? 1 : 0;
    EXPECT_EQ(1, runs);
}

TEST_F(SourceListTest, WithProbesAtOnceTheLastRowWaitsForTheProbesInFront) {
    dlg->GetSession().settings.simultaneousConversions = 3;
    for (int i = 0; i < 98; ++i)
        AddProbedRow(InFolder(("f" + std::to_string(i) + ".avi").c_str()), 1.0);
    // x.avi fails after a while: y.avi takes the last row, z.avi is left out.
    WriteEncoderScript("[x.avi]\nsleep 300\nsend 1 0\n" + GoodProbe("y.avi", 10) +
                       GoodProbe("z.avi", 10));
    std::vector<std::string> boxes = Import(kFolder, {"x.avi", "y.avi", "z.avi"}, 2);
    EXPECT_EQ((std::vector<std::string>{
                  "Load file " + InFolder("x.avi") + " failed.",
                  "The list holds at most 99 video files. 1 selected file was not added."}),
              boxes);
    EXPECT_EQ(99, dlg->m_list.GetItemCount());
    EXPECT_EQ(InFolder("y.avi"), Cell(98, 1));
    int runs = 0; // z.avi was never probed
    for (const std::string& line : EncoderLog())
        runs += line.rfind("args ", 0) == 0 ? 1 : 0;
    EXPECT_EQ(2, runs);
}

TEST_F(SourceListTest, TooLongPathIsRefusedWithoutAProbe) {
    const std::string longName = std::string(260, 'n') + ".avi";
    WriteEncoderScript(GoodProbe("ok.avi", 10) +
                       "[*]\nsend 1 10\nsend 2 640\nsend 3 480\nsend 4 250000000\n");
    std::vector<std::string> boxes = Import(kFolder, {longName, "ok.avi"}, 1);
    ASSERT_EQ(1u, boxes.size());
    EXPECT_NE(std::string::npos, boxes[0].find("longer than 255 characters")) << boxes[0];
    EXPECT_NE(std::string::npos, boxes[0].find(InFolder(longName.c_str()))) << boxes[0];
    ASSERT_EQ(1, dlg->GetSession().sources.Count());
    EXPECT_EQ(InFolder("ok.avi"), Cell(0, 1));
    for (const std::string& line : EncoderLog())
        EXPECT_EQ(std::string::npos, line.find("nnnnnnnn"));
}

TEST_F(SourceListTest, MissingEncoderIsReportedOncePerImport) {
    std::string empty = TestFolder() + "no-encoder\\";
    CreateDirectoryA(empty.c_str(), nullptr);
    dlg->SetEncoderFolder(empty.c_str());
    std::vector<std::string> boxes = Import(kFolder, {"a.avi", "b.avi", "c.avi"}, 2, 3000);
    ASSERT_EQ(1u, boxes.size());
    EXPECT_NE(std::string::npos, boxes[0].find("quenforenc.exe")) << boxes[0];
    EXPECT_EQ(0, dlg->GetSession().sources.Count());
}

// Commands waiting in the queue when a probe or a run starts: the wait loop
// hands them over.
void PostEveryCommand(HWND window) {
    PostMessageA(window, WM_COMMAND, MAKEWPARAM(IDC_LIST_REMOVE, BN_CLICKED), 0);
    PostMessageA(window, WM_COMMAND, ID_LIST_MOVE_DOWN, 0);
    PostMessageA(window, WM_COMMAND, MAKEWPARAM(IDC_TOOL_ADD, BN_CLICKED), 0);
    PostMessageA(window, WM_COMMAND, MAKEWPARAM(IDC_CONVERT, BN_CLICKED), 0);
    PostMessageA(window, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    PostMessageA(window, WM_CLOSE, 0, 0);
}

TEST_F(SourceListTest, CommandsDuringARunAreRefusedAndRunOnlyOnce) {
    AddProbedRow(InFolder("a.avi"), 5.0);
    AddProbedRow(InFolder("b.avi"), 5.0);
    dlg->m_list.SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
    const std::string out = TestFolder() + "run-refuses\\";
    dlg->m_outputFolder.SetWindowText(out.c_str());
    WriteEncoderScript("[*]\nwrite 10\nsleep 200\n");
    PostEveryCommand(dlg->GetSafeHwnd());
    wintest::MessageBoxAnswerer fileDialog("Import video files", IDCANCEL, 1, 300);
    wintest::MessageBoxAnswerer end(AppCaption().c_str(), IDOK, 1, 20000);
    Click(IDC_CONVERT);
    ASSERT_TRUE(end.Wait());
    EXPECT_EQ(0u, end.Text(0).find("Mission accomplished!")) << end.Text(0);
    EXPECT_FALSE(fileDialog.Wait()) << "an import started during the run";
    EXPECT_TRUE(dlg->IsWindowVisible()) << "the window closed during the run";
    int runs = 0; // one encoder per row: no second run
    for (const std::string& line : EncoderLog())
        runs += line.rfind("args ", 0) == 0 ? 1 : 0;
    EXPECT_EQ(2, runs);
    EXPECT_EQ(2, dlg->GetSession().sources.Count());
}

TEST_F(SourceListTest, CommandsDuringAProbeAreRefusedAndTheProbeKept) {
    AddProbedRow(InFolder("kept.avi"), 5.0);
    dlg->m_list.SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
    WriteEncoderScript(
        "[slow.avi]\nsleep 500\nsend 1 42\nsend 2 640\nsend 3 480\nsend 4 250000000\n");
    PostEveryCommand(dlg->GetSafeHwnd());
    wintest::MessageBoxAnswerer fileDialog("Import video files", IDCANCEL, 1, 300);
    std::vector<std::string> boxes = Import(kFolder, {"slow.avi"}, 0);
    EXPECT_TRUE(boxes.empty());
    EXPECT_FALSE(fileDialog.Wait()) << "a second import started during the probe";
    EXPECT_TRUE(dlg->IsWindowVisible()) << "the window closed during the probe";
    EXPECT_FALSE(dlg->IsImporting());
    ASSERT_EQ(2, dlg->GetSession().sources.Count());
    EXPECT_EQ(InFolder("kept.avi"), Cell(0, 1));
    EXPECT_EQ(InFolder("slow.avi"), Cell(1, 1));
    EXPECT_EQ("00:00:42", Cell(1, 2));
    // Afterwards the same commands work again.
    Click(IDC_LIST_REMOVE);
    EXPECT_EQ(1, dlg->GetSession().sources.Count());
}

} // namespace
} // namespace apptest
