#include "core/ImportReport.h"

#include <cstdio>
#include <cstring>

#include "core/SourceListRows.h"
#include "core/SourceTable.h"

void ImportReport::Add(int32_t selectionIndex, ImportProblem problem) {
    ++total_;
    if (count_ >= kMaxImportProblems)
        return;
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
    if (out == nullptr || size == 0)
        return;
    if (path == nullptr)
        path = "";
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
    case ImportProblem::kDolbyVisionOnly:
        std::snprintf(out, size,
                      "Load file %s failed.\nIts Dolby Vision video has no HDR10, HLG or SDR base "
                      "layer to convert.",
                      path);
        break;
    case ImportProblem::kProbeFailed:
    default:
        std::snprintf(out, size, "Load file %s failed.", path);
        break;
    }
}

bool ImportReport::Has(ImportProblem problem) const {
    for (int32_t i = 0; i < count_; ++i) {
        if (entries_[i].problem == problem)
            return true;
    }
    return false;
}

void ImportReport::ComposeProblemList(const std::vector<std::string>& paths, const char* ellipsis,
                                      char* out, size_t size) const {
    if (out == nullptr || size == 0)
        return;
    out[0] = '\0';
    // The closing line's room is kept free for the entries that do not fit.
    constexpr size_t kClosingRoom = 80;
    size_t used = 0;
    int32_t listed = 0;
    char entry[kImportMessageCapacity];
    for (int32_t i = 0; i < count_ && i < kListedProblems; ++i) {
        const int32_t index = entries_[i].index;
        const char* path =
            index >= 0 && static_cast<size_t>(index) < paths.size() ? paths[index].c_str() : "";
        ComposeProblemText(entries_[i].problem, path, entry, sizeof entry);
        const size_t length = std::strlen(entry) + (listed > 0 ? 1 : 0);
        if (used + length + kClosingRoom >= size)
            break;
        std::snprintf(out + used, size - used, "%s%s", listed > 0 ? "\n" : "", entry);
        used += length;
        ++listed;
    }
    const int32_t more = total_ - listed;
    if (more <= 0)
        return;
    std::snprintf(out + used, size - used, "%s%sand %d more file%s could not be used.",
                  listed > 0 ? "\n" : "", ellipsis != nullptr ? ellipsis : "...",
                  static_cast<int>(more), more == 1 ? "" : "s");
}

void ImportReport::ComposeLeftOutText(char* out, size_t size) const {
    if (out == nullptr || size == 0)
        return;
    if (leftOut_ <= 0) {
        out[0] = '\0';
        return;
    }
    std::snprintf(out, size, "The list holds at most %d video files. %d selected file%s not added.",
                  static_cast<int>(kSourceTableRows), static_cast<int>(leftOut_),
                  leftOut_ == 1 ? " was" : "s were");
}
