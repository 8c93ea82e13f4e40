#include "encoder/SourceFile.h"

#include <windows.h>

namespace {

constexpr size_t kFirstStep = 64 * 1024;

HANDLE OpenForReading(const std::string& path) {
    // Share everything: the player or another encoder may hold the file.
    return CreateFileA(path.c_str(), GENERIC_READ,
                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                       OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

} // namespace

SourceState ReadSourceHead(const std::string& path, size_t limit, std::vector<uint8_t>& head,
                           bool (*enough)(const uint8_t* data, size_t size)) {
    head.clear();
    DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return SourceState::kMissing;
    if (attributes & FILE_ATTRIBUTE_DIRECTORY)
        return SourceState::kUnreadable;
    HANDLE file = OpenForReading(path);
    if (file == INVALID_HANDLE_VALUE)
        return SourceState::kUnreadable;
    const size_t firstStep = enough != nullptr && limit > kFirstStep ? kFirstStep : limit;
    size_t total = 0;
    for (size_t step = firstStep; total < step; step = limit) {
        head.resize(step);
        DWORD got = 0;
        while (
            total < step &&
            ReadFile(file, head.data() + total, static_cast<DWORD>(step - total), &got, nullptr) &&
            got > 0) {
            total += got;
        }
        if (total < step || step == limit || enough(head.data(), total))
            break;
    }
    CloseHandle(file);
    head.resize(total);
    return total == 0 ? SourceState::kEmpty : SourceState::kReadable;
}

bool IsSameFile(const std::string& a, const std::string& b) {
    HANDLE first = OpenForReading(a);
    if (first == INVALID_HANDLE_VALUE)
        return false;
    HANDLE second = OpenForReading(b);
    bool same = false;
    if (second != INVALID_HANDLE_VALUE) {
        BY_HANDLE_FILE_INFORMATION x = {};
        BY_HANDLE_FILE_INFORMATION y = {};
        same = GetFileInformationByHandle(first, &x) && GetFileInformationByHandle(second, &y) &&
               x.dwVolumeSerialNumber == y.dwVolumeSerialNumber &&
               x.nFileIndexHigh == y.nFileIndexHigh && x.nFileIndexLow == y.nFileIndexLow;
        CloseHandle(second);
    }
    CloseHandle(first);
    return same;
}
