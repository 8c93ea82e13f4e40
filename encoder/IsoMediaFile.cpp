#include "encoder/IsoMediaFile.h"

#include <windows.h>

namespace {

class FileByteSource : public ByteSource {
public:
    explicit FileByteSource(HANDLE file) : file_(file) {
        LARGE_INTEGER size = {};
        if (GetFileSizeEx(file_, &size) && size.QuadPart > 0)
            size_ = static_cast<uint64_t>(size.QuadPart);
    }
    uint64_t Size() const override { return size_; }
    bool ReadAt(uint64_t offset, uint8_t* out, size_t count) override {
        if (offset > size_ || count > size_ - offset)
            return false;
        LARGE_INTEGER at;
        at.QuadPart = static_cast<LONGLONG>(offset);
        if (!SetFilePointerEx(file_, at, nullptr, FILE_BEGIN))
            return false;
        while (count > 0) {
            DWORD got = 0;
            DWORD chunk = count > 0x10000000 ? 0x10000000 : static_cast<DWORD>(count);
            if (!ReadFile(file_, out, chunk, &got, nullptr) || got == 0)
                return false;
            out += got;
            count -= got;
        }
        return true;
    }

private:
    HANDLE file_;
    uint64_t size_ = 0;
};

} // namespace

IsoMediaResult ReadIsoMediaFile(const std::string& path, VideoInfo& info) {
    info = VideoInfo();
    // Share everything: the player or another encoder may hold the file.
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return IsoMediaResult::kNoMovie;
    FileByteSource source(file);
    IsoMediaResult result = ReadIsoMedia(source, info);
    CloseHandle(file);
    return result;
}
