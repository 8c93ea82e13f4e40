// A temporary ".htm" association in the test prefix's registry, so that
// opening web pages runs a command the test controls. It is written to the
// classes root itself: Wine's classes root does not show per-user classes.
#pragma once

#include <string>

namespace helptest {

class HtmAssociation {
public:
    // `openCommand` "" gives a file type without an open command.
    explicit HtmAssociation(const std::string& openCommand);
    ~HtmAssociation(); // restores the previous ".htm" entry
    bool Active() const { return active_; }

private:
    bool active_ = false;
    bool hadPrevious_ = false;
    std::string previous_;
};

// An open command that writes its arguments to `recordPath`, in the usual
// form: program path, a space, "%1" in double quotes.
std::string RecordingCommand(const std::string& recordPath);

// Waits (a safety net only) for `path` to exist and be complete; its text.
std::string WaitForFileText(const std::string& path);

} // namespace helptest
