#include "framework/DialogInitData.h"

namespace {

unsigned ReadU16(const unsigned char* p) {
    return p[0] | (p[1] << 8);
}

std::uint32_t ReadU32(const unsigned char* p) {
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

} // namespace

DialogInitReader::DialogInitReader(const void* data, std::size_t size)
    : data_(static_cast<const unsigned char*>(data)), size_(data ? size : 0) {}

bool DialogInitReader::Next(DialogInitEntry* entry) {
    if (malformed_ || pos_ >= size_)
        return false;
    // A lone trailing byte cannot hold an id: resource data is padded, so it
    // is padding after an end marker that was left out.
    if (size_ - pos_ < 2)
        return false;
    const unsigned id = ReadU16(data_ + pos_);
    if (id == 0) {
        pos_ = size_;
        return false;
    }
    const std::size_t header = 2 + 2 + 4;
    if (size_ - pos_ < header) {
        malformed_ = true;
        return false;
    }
    const unsigned message = ReadU16(data_ + pos_ + 2);
    const std::uint32_t length = ReadU32(data_ + pos_ + 4);
    if (length > size_ - pos_ - header) {
        malformed_ = true;
        return false;
    }
    const char* text = reinterpret_cast<const char*>(data_ + pos_ + header);
    std::size_t textLength = 0;
    while (textLength < length && text[textLength] != '\0')
        ++textLength;
    entry->controlId = static_cast<int>(id);
    entry->message = message;
    entry->text.assign(text, textLength);
    pos_ += header + length;
    return true;
}
