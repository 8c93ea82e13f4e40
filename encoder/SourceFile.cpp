#include "encoder/SourceFile.h"

#include <windows.h>

namespace {

HANDLE OpenForReading(const std::string& path) {
    // Share everything: the player or another encoder may hold the file.
    return CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                       OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

}  // namespace

SourceState ReadSourceHead(const std::string& path, size_t limit, std::vector<uint8_t>& head) {
    head.clear();
    DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return SourceState::kMissing;
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) return SourceState::kUnreadable;
    HANDLE file = OpenForReading(path);
    if (file == INVALID_HANDLE_VALUE) return SourceState::kUnreadable;
    head.resize(limit);
    size_t total = 0;
    DWORD got = 0;
    while (total < limit &&
           ReadFile(file, head.data() + total, static_cast<DWORD>(limit - total), &got, nullptr) && got > 0) {
        total += got;
    }
    CloseHandle(file);
    head.resize(total);
    return total == 0 ? SourceState::kEmpty : SourceState::kReadable;
}

bool IsSameFile(const std::string& a, const std::string& b) {
    HANDLE first = OpenForReading(a);
    if (first == INVALID_HANDLE_VALUE) return false;
    HANDLE second = OpenForReading(b);
    bool same = false;
    if (second != INVALID_HANDLE_VALUE) {
        BY_HANDLE_FILE_INFORMATION x = {};
        BY_HANDLE_FILE_INFORMATION y = {};
        same = GetFileInformationByHandle(first, &x) && GetFileInformationByHandle(second, &y) &&
               x.dwVolumeSerialNumber == y.dwVolumeSerialNumber && x.nFileIndexHigh == y.nFileIndexHigh &&
               x.nFileIndexLow == y.nFileIndexLow;
        CloseHandle(second);
    }
    CloseHandle(first);
    return same;
}
