// The texts shown at the end of a batch run. Pure.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr size_t kBatchReportCapacity = 4096;

// "Mission accomplished! Total Time:00:01:15"
void ComposeSuccessReport(int32_t elapsedSeconds, char* out, size_t size);

// What the box says when the user cancelled a run.
constexpr char kRunStoppedText[] = "The conversion was stopped.";

// Collects the files that failed and composes the one box that lists them.
class FailureReport {
public:
    FailureReport() { list_[0] = '\0'; }

    // Adds "<source path> - <reason>" as one line; lines that no longer fit
    // are counted and summed up as "... and N more".
    void Add(const char* sourcePath, const char* reason);

    int32_t Count() const { return count_; }

    // "Finished with errors. Total Time:hh:mm:ss\n\n2 of 5 files could not be
    // converted:\n<lines>"
    void Compose(int32_t rowCount, int32_t elapsedSeconds, char* out, size_t size) const;

    // For a run that ends early (a cancel, an encoder that cannot be
    // started): "<headline>\n\nBefore that, 1 of 5 files could not be
    // converted:\n<lines>"; only the headline when no file failed.
    void ComposeStopped(const char* headline, int32_t rowCount, char* out, size_t size) const;

private:
    void ComposeList(const char* headline, const char* lead, int32_t rowCount, char* out,
                     size_t size) const;

    static constexpr size_t kListCapacity = 3584;
    char list_[kListCapacity];
    size_t length_ = 0;
    int32_t count_ = 0;
    int32_t omitted_ = 0;
};
