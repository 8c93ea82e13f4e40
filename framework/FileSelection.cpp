#include "framework/FileSelection.h"

#include <cstring>

bool ConvertFilterText(const char* filter, char* out, size_t outSize) {
    if (outSize < 2) {
        if (outSize > 0)
            out[0] = '\0';
        return false;
    }
    size_t length = filter != nullptr ? strlen(filter) : 0;
    // The text plus one extra NUL; "a|b||" becomes "a\0b\0\0" + "\0".
    if (length + 2 > outSize) {
        out[0] = '\0';
        out[1] = '\0';
        return false;
    }
    for (size_t i = 0; i < length; ++i)
        out[i] = filter[i] == '|' ? '\0' : filter[i];
    out[length] = '\0';
    out[length + 1] = '\0';
    return true;
}

namespace {

// Length of the string at `start`, stopping at the end of the buffer.
size_t BoundedLength(const char* buffer, size_t size, size_t start) {
    size_t end = start;
    while (end < size && buffer[end] != '\0')
        ++end;
    return end - start;
}

} // namespace

FileSelection::FileSelection(const char* buffer, size_t size)
    : buffer_(buffer), size_(buffer != nullptr ? size : 0), folderLength_(0), multiple_(false),
      pos_(0) {
    folderLength_ = BoundedLength(buffer_, size_, 0);
    size_t next = folderLength_ + 1;
    multiple_ = folderLength_ > 0 && next < size_ && buffer_[next] != '\0';
    pos_ = multiple_ ? next : 0;
    if (folderLength_ == 0)
        pos_ = size_; // empty selection
}

bool FileSelection::Next(char* out, size_t outSize, size_t* fullLength, bool* truncated) {
    if (fullLength != nullptr)
        *fullLength = 0;
    if (truncated != nullptr)
        *truncated = false;
    if (pos_ >= size_ || buffer_[pos_] == '\0') {
        if (outSize > 0)
            out[0] = '\0';
        return false;
    }
    const char* folder = buffer_;
    size_t folderLength = folderLength_;
    const char* name = "";
    size_t nameLength = 0;
    const char* separator = "";
    if (multiple_) {
        name = buffer_ + pos_;
        nameLength = BoundedLength(buffer_, size_, pos_);
        pos_ += nameLength + 1;
        if (folderLength > 0 && folder[folderLength - 1] != '\\')
            separator = "\\";
    } else {
        pos_ = size_; // one path only
    }
    size_t separatorLength = strlen(separator);
    size_t total = folderLength + separatorLength + nameLength;
    if (fullLength != nullptr)
        *fullLength = total;
    if (outSize == 0) {
        if (truncated != nullptr)
            *truncated = true;
        return true;
    }
    size_t written = 0;
    auto append = [&](const char* text, size_t length) {
        size_t room = outSize - 1 - written;
        size_t count = length < room ? length : room;
        memcpy(out + written, text, count);
        written += count;
    };
    append(folder, folderLength);
    append(separator, separatorLength);
    append(name, nameLength);
    out[written] = '\0';
    if (truncated != nullptr)
        *truncated = written < total;
    return true;
}

size_t FileSelection::Count() const {
    if (folderLength_ == 0)
        return 0;
    if (!multiple_)
        return 1;
    size_t count = 0;
    size_t pos = folderLength_ + 1;
    while (pos < size_ && buffer_[pos] != '\0') {
        ++count;
        pos += BoundedLength(buffer_, size_, pos) + 1;
    }
    return count;
}
