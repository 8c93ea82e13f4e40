#include "core/BatchReport.h"

#include <cstdio>
#include <cstring>

#include "core/TimeText.h"

void ComposeSuccessReport(int32_t elapsedSeconds, char* out, size_t size) {
    if (out == nullptr || size == 0)
        return;
    char time[kHmsCapacity];
    FormatHmsTo(elapsedSeconds, time, sizeof time);
    std::snprintf(out, size, "Mission accomplished! Total Time:%s", time);
}

void FailureReport::Add(const char* sourcePath, const char* reason) {
    ++count_;
    const size_t room = kListCapacity - length_;
    const int written =
        std::snprintf(list_ + length_, room, "%s - %s\n", sourcePath != nullptr ? sourcePath : "",
                      reason != nullptr ? reason : "");
    if (written < 0 || static_cast<size_t>(written) >= room) {
        list_[length_] = '\0'; // drop the cut line
        ++omitted_;
        return;
    }
    length_ += static_cast<size_t>(written);
}

void FailureReport::Compose(int32_t rowCount, int32_t elapsedSeconds, char* out,
                            size_t size) const {
    char time[kHmsCapacity];
    FormatHmsTo(elapsedSeconds, time, sizeof time);
    char headline[kHmsCapacity + 40];
    std::snprintf(headline, sizeof headline, "Finished with errors. Total Time:%s", time);
    ComposeList(headline, "", rowCount, out, size);
}

void FailureReport::ComposeStopped(const char* headline, int32_t rowCount, char* out,
                                   size_t size) const {
    if (count_ == 0) {
        if (out != nullptr && size > 0)
            std::snprintf(out, size, "%s", headline != nullptr ? headline : "");
        return;
    }
    ComposeList(headline, "Before that, ", rowCount, out, size);
}

void FailureReport::ComposeList(const char* headline, const char* lead, int32_t rowCount, char* out,
                                size_t size) const {
    if (out == nullptr || size == 0)
        return;
    char more[64] = "";
    if (omitted_ > 0)
        std::snprintf(more, sizeof more, "... and %d more\n", static_cast<int>(omitted_));
    std::snprintf(out, size, "%s\n\n%s%d of %d files could not be converted:\n%s%s",
                  headline != nullptr ? headline : "", lead, static_cast<int>(count_),
                  static_cast<int>(rowCount), list_, more);
    // No trailing line break in the box.
    const size_t length = std::strlen(out);
    if (length > 0 && out[length - 1] == '\n')
        out[length - 1] = '\0';
}
