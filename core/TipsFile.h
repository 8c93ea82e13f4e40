// Reading tips from tips.txt: one tip per line, searched from a saved byte
// position and wrapping round at the end of the file. No platform headers, so
// the reader is tested natively.
#pragma once

#include <cstddef>
#include <cstdio>
#include <ctime>
#include <string>

// A line is read in pieces of at most this many characters; each piece counts
// as a line of its own.
constexpr int kTipPieceLength = 999;

// True when a line read from the tips file is a tip: it is not empty and does
// not start with a space, a tab, a line break or ";" (a comment).
bool IsTipLine(const char* line);

// The file's time stamp as the C library's ctime text without the trailing
// newline, or "" when the time cannot be rendered.
std::string TimeStampText(std::time_t when);

// Where the search for the next tip starts: at 0 when the file's time stamp
// differs from the one saved at the last reading (the file was replaced),
// otherwise at the saved position.
struct TipStart {
    long offset;
    bool stampChanged; // the new stamp must be saved
};
TipStart ChooseTipStart(const std::string& fileStamp, const std::string& savedStamp,
                        long savedOffset);

enum class TipRead {
    kFound,      // `tip` holds the next tip with its line terminator
    kNone,       // a whole pass over the file found no tip; `tip` is ""
    kSeekFailed, // rewinding at the end failed; `tip` is ""
};

// The open tips file. Lines end in "\n" or "\r\n"; the file is read in binary
// mode so that positions are exact byte offsets whatever the line endings
// (the text-mode position of some C runtimes is wrong for "\n"-only files).
class TipsFile {
public:
    TipsFile() = default;
    ~TipsFile();
    TipsFile(const TipsFile&) = delete;
    TipsFile& operator=(const TipsFile&) = delete;

    bool Open(const char* path);
    void Close();
    bool IsOpen() const { return file_ != nullptr; }

    // Time stamp of the open file (its st_ctime), "" when unknown.
    std::string TimeStamp() const;

    // Moves to a byte offset from the start; false when the seek fails.
    bool SeekTo(long offset);
    // Current byte offset, -1 when no file is open.
    long Position() const;

    // Reads lines from the current position until one is a tip, wrapping to the
    // start at the end of the file. Ends after one full pass without a tip.
    TipRead ReadNextTip(std::string* tip);

private:
    std::FILE* file_ = nullptr;
};
