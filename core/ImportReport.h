// What one import has to tell the user once every selected file has been
// handled: the files whose probe failed, the files refused for their path
// length, and the files left out because the list was full. A few problems
// get a box each; more get one box that lists the first of them. Pure.
//
// Paths are not copied: a problem remembers the file's position in the
// selection, and the caller hands the path back when the texts are composed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

enum class ImportProblem : uint8_t {
    kProbeFailed,     // "Load file %s failed."
    kNoVideo,         // the same, and on the next line that the file holds no video
    kPathTooLong,     // longer than the encoder accepts
    kDolbyVisionOnly, // "Load file %s failed." and why its picture cannot be converted
};

// A selection buffer of 2048 characters holds at most 1024 names.
constexpr int32_t kMaxImportProblems = 1024;
// Texts of the boxes: a path may be as long as the selection buffer.
constexpr size_t kImportMessageCapacity = 2400;
// Up to this many problems, each has a box of its own.
constexpr int32_t kSeparateProblemBoxes = 3;
// Beyond that, one box lists this many and counts the others.
constexpr int32_t kListedProblems = 20;
constexpr size_t kProblemListCapacity = kListedProblems * kImportMessageCapacity + 128;

class ImportReport {
public:
    // Records a problem of the file at `selectionIndex`; problems beyond the
    // capacity are only counted (a dropped folder can hold that many).
    void Add(int32_t selectionIndex, ImportProblem problem);
    // Counts a file left out because the list had no room for it.
    void AddLeftOut() { ++leftOut_; }

    int32_t ProblemCount() const { return count_; } // the ones recorded
    int32_t TotalProblemCount() const { return total_; }
    // True when the problems are told in one box rather than one box each.
    bool OneBox() const { return total_ > kSeparateProblemBoxes; }
    int32_t SelectionIndex(int32_t i) const;
    ImportProblem Problem(int32_t i) const;
    int32_t LeftOutCount() const { return leftOut_; }

    // The box text for a problem of the file `path`.
    static void ComposeProblemText(ImportProblem problem, const char* path, char* out, size_t size);
    // The one box's text for all problems: the texts of the first
    // kListedProblems of them (as their own boxes give them, one after the
    // other), then "<ellipsis>and N more files could not be used." for the
    // rest. `paths` is the selection; `ellipsis` the ellipsis character in
    // the code page of the box. An entry that does not fit whole counts with
    // the rest.
    void ComposeProblemList(const std::vector<std::string>& paths, const char* ellipsis, char* out,
                            size_t size) const;
    // True when a recorded problem is of this kind.
    bool Has(ImportProblem problem) const;
    // The one box text for the files left out ("" when there are none).
    void ComposeLeftOutText(char* out, size_t size) const;

private:
    struct Entry {
        int32_t index;
        ImportProblem problem;
    };
    Entry entries_[kMaxImportProblems];
    int32_t count_ = 0;
    int32_t total_ = 0;
    int32_t leftOut_ = 0;
};
