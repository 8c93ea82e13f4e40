#include "app/ImportReport.h"

#include <cstdio>

#include "app/SourceListRows.h"
#include "engine/core/SourceTable.h"

void ImportReport::Add(int32_t selectionIndex, ImportProblem problem) {
    if (count_ >= kMaxImportProblems) return;
    entries_[count_].index = selectionIndex;
    entries_[count_].problem = problem;
    ++count_;
}

int32_t ImportReport::SelectionIndex(int32_t i) const {
    return (i >= 0 && i < count_) ? entries_[i].index : -1;
}

ImportProblem ImportReport::Problem(int32_t i) const {
    return (i >= 0 && i < count_) ? entries_[i].problem : ImportProblem::kProbeFailed;
}

void ImportReport::ComposeProblemText(ImportProblem problem, const char* path, char* out,
                                      size_t size) {
    if (out == nullptr || size == 0) return;
    if (path == nullptr) path = "";
    switch (problem) {
    case ImportProblem::kPathTooLong:
        std::snprintf(out, size,
                      "The path of this file is longer than %d characters, so it cannot be "
                      "converted. Move or rename it and add it again:\n%s",
                      static_cast<int>(kMaxSourcePathLength), path);
        break;
    case ImportProblem::kNoVideo:
        std::snprintf(out, size, "Load file %s failed.\nThe file holds no video stream.", path);
        break;
    case ImportProblem::kProbeFailed:
    default:
        std::snprintf(out, size, "Load file %s failed.", path);
        break;
    }
}

void ImportReport::ComposeLeftOutText(char* out, size_t size) const {
    if (out == nullptr || size == 0) return;
    if (leftOut_ <= 0) {
        out[0] = '\0';
        return;
    }
    std::snprintf(out, size,
                  "The list holds at most %d video files. %d selected file%s not added.",
                  static_cast<int>(kSourceTableRows), static_cast<int>(leftOut_),
                  leftOut_ == 1 ? " was" : "s were");
}
