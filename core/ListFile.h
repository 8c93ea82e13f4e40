// The source list as a file, so that it survives the program: every row's
// path, facts and status in the last run, one line each, and what to offer
// at start-up when that run never ended. Pure: the file itself is read and
// written by ui/ListStore.
//
// Text, one row a line after the header line "Tarvello list 1", fields
// separated by tabs (a character no Windows path holds):
//   status  duration  width  height  frame-rate  path  [reason]
// status is "", "Waiting", "Converting", "Done", "Failed" or "Stopped".
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/SourceTable.h"

struct ListFileRow {
    std::string path;
    SourceRow facts;
    RowState state; // its percent is never kept
};

struct ListFileContents {
    std::vector<ListFileRow> rows; // at most kSourceTableRows
    // Lines that were not rows of ours (or rows past the list's room) and
    // were left out; every line of a file without our header.
    int32_t unreadable = 0;
};

// The table's rows as the file's text (CR LF line ends).
std::string WriteListFile(const SourceTable& table);

// The rows of a file's text that can be used: a row whose path is empty or
// too long, whose duration is not positive or whose numbers do not read is
// left out and counted. An unknown status gives a row without one. Accepts
// a UTF-8 byte order mark and LF or CR LF line ends.
ListFileContents ReadListFile(const std::string& text);

// What start-up offers after loading rows: a run that never ended leaves
// rows waiting or converting.
struct ResumeOffer {
    bool ask = false;
    int32_t done = 0;  // rows of that run that were done
    int32_t total = 0; // rows of that run
};
ResumeOffer DecideResume(const std::vector<ListFileRow>& rows);

// The rows an unfinished run left waiting or converting are stopped: the
// run that would have moved them on is gone.
void StopInterruptedRows(std::vector<ListFileRow>& rows);

// "The last conversion stopped after 2 of 5 files. Convert the remaining
// files now?"
void FormatResumeQuestion(const ResumeOffer& offer, char* out, size_t size);
