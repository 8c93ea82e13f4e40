#include "core/TipsFile.h"

#include <sys/stat.h>

#include <cstring>

bool IsTipLine(const char* line) {
    switch (line[0]) {
    case '\0':
    case ' ':
    case '\t':
    case '\n':
    case '\r': // the empty line of a "\r\n" file
    case ';':
        return false;
    default:
        return true;
    }
}

std::string TimeStampText(std::time_t when) {
    const char* text = std::ctime(&when);
    if (text == nullptr)
        return std::string();
    std::string stamp(text);
    while (!stamp.empty() && std::strchr(" \t\r\n", stamp.back()) != nullptr)
        stamp.pop_back();
    return stamp;
}

TipStart ChooseTipStart(const std::string& fileStamp, const std::string& savedStamp,
                        long savedOffset) {
    if (fileStamp != savedStamp)
        return TipStart{0, true};
    return TipStart{savedOffset, false};
}

TipsFile::~TipsFile() {
    Close();
}

bool TipsFile::Open(const char* path) {
    Close();
    file_ = std::fopen(path, "rb");
    return file_ != nullptr;
}

void TipsFile::Close() {
    if (file_ != nullptr)
        std::fclose(file_);
    file_ = nullptr;
}

std::string TipsFile::TimeStamp() const {
    if (file_ == nullptr)
        return std::string();
    struct stat info;
    if (fstat(fileno(file_), &info) != 0)
        return std::string();
    return TimeStampText(info.st_ctime);
}

bool TipsFile::SeekTo(long offset) {
    return file_ != nullptr && std::fseek(file_, offset, SEEK_SET) == 0;
}

long TipsFile::Position() const {
    return file_ != nullptr ? std::ftell(file_) : -1;
}

TipRead TipsFile::ReadNextTip(std::string* tip) {
    tip->clear();
    if (file_ == nullptr)
        return TipRead::kNone;
    char line[kTipPieceLength + 1];
    bool wrapped = false;
    for (;;) {
        if (std::fgets(line, sizeof line, file_) == nullptr) {
            // Reaching the end a second time means every line has been looked at.
            if (wrapped)
                return TipRead::kNone;
            std::clearerr(file_);
            if (std::fseek(file_, 0, SEEK_SET) != 0)
                return TipRead::kSeekFailed;
            wrapped = true;
            continue;
        }
        if (!IsTipLine(line))
            continue;
        tip->assign(line);
        std::size_t n = tip->size();
        if (n >= 2 && (*tip)[n - 2] == '\r' && (*tip)[n - 1] == '\n')
            tip->erase(n - 2, 1);
        return TipRead::kFound;
    }
}
