// Fuzzes the tips-file reader: any file content, searched from any saved
// position. The first four bytes are the saved position (little endian, may
// be negative or past the end); the rest is the file. The file is written to
// a private temporary path because the reader opens files by name.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>

#include "core/TipsFile.h"
#include "tests/fuzz/FuzzCheck.h"

namespace {

char g_path[256];

void RemoveTempFile() {
    unlink(g_path);
}

bool IsSkipped(char first) {
    return first == '\0' || first == ' ' || first == '\t' || first == '\n' || first == '\r' ||
           first == ';';
}

// True when reading the file from its start, in pieces as fgets gives them,
// meets a line the reader must take as a tip.
bool HasTip(const std::string& file) {
    size_t at = 0;
    while (at < file.size()) {
        size_t end = at;
        while (end < file.size() && end - at < static_cast<size_t>(kTipPieceLength)) {
            if (file[end++] == '\n')
                break;
        }
        if (!IsSkipped(file[at]))
            return true;
        at = end;
    }
    return false;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    const char* dir = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
    std::snprintf(g_path, sizeof g_path, "%s/tarvello-fuzz-tips-XXXXXX", dir);
    int fd = mkstemp(g_path);
    if (fd < 0) {
        std::perror("mkstemp");
        std::exit(1);
    }
    close(fd);
    std::atexit(RemoveTempFile);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 4)
        return 0;
    int32_t saved = static_cast<int32_t>(
        static_cast<uint32_t>(data[0]) | (static_cast<uint32_t>(data[1]) << 8) |
        (static_cast<uint32_t>(data[2]) << 16) | (static_cast<uint32_t>(data[3]) << 24));
    std::string content(reinterpret_cast<const char*>(data + 4), size - 4);

    std::FILE* out = std::fopen(g_path, "wb");
    FUZZ_CHECK(out != nullptr);
    FUZZ_CHECK(std::fwrite(content.data(), 1, content.size(), out) == content.size());
    std::fclose(out);

    FUZZ_CHECK(IsTipLine(content.c_str()) == !IsSkipped(content.c_str()[0]));

    TipsFile tips;
    FUZZ_CHECK(tips.Open(g_path));
    std::string stamp = tips.TimeStamp();
    FUZZ_CHECK(stamp.empty() || (stamp.back() != '\n' && stamp.back() != ' '));
    TipStart start =
        ChooseTipStart(stamp, (saved & 1) ? stamp : std::string("Thu Jan  1 00:00:00 1970"), saved);
    if (!tips.SeekTo(start.offset)) {
        FUZZ_CHECK(start.offset < 0);
        return 0;
    }

    // From any position the reader goes on to the end, then reads the whole
    // file once from its start.
    bool anywhere = HasTip(content);
    std::string tip;
    for (int i = 0; i < 3; ++i) {
        long position = tips.Position();
        FUZZ_CHECK(position >= 0);
        size_t from = static_cast<size_t>(position) < content.size() ? static_cast<size_t>(position)
                                                                     : content.size();
        bool expectTip = anywhere || HasTip(content.substr(from));
        TipRead read = tips.ReadNextTip(&tip);
        FUZZ_CHECK(read != TipRead::kSeekFailed);
        FUZZ_CHECK((read == TipRead::kFound) == expectTip);
        if (read != TipRead::kFound) {
            FUZZ_CHECK(tip.empty());
            break;
        }
        FUZZ_CHECK(!tip.empty() && !IsSkipped(tip[0]));
        FUZZ_CHECK(tip.size() <= static_cast<size_t>(kTipPieceLength));
        FUZZ_CHECK(content.find(tip.substr(0, tip.size() - 1)) != std::string::npos);
    }

    // Any time value: the text is either empty or has no line break.
    std::time_t when = static_cast<std::time_t>(static_cast<int64_t>(saved) * 1000003);
    std::string text = TimeStampText(when);
    FUZZ_CHECK(text.find('\n') == std::string::npos);
    return 0;
}
