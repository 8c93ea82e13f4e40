// Reader of dialog init data, the binary format of resources of type 240
// (RT_DLGINIT): a sequence of records, each
//
//   WORD  control id
//   WORD  message: 0x0403 adds a combo box entry, 0x0401 a list box entry
//         (their 16-bit values, kept by the format)
//   DWORD data length in bytes
//   BYTE  data[length]: the entry text with its terminating NUL
//
// packed without alignment, little-endian, ended by a control id of 0.
// Pure code: no <windows.h>, so it is tested natively.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

enum : std::uint16_t {
    kDlgInitListAddString = 0x0401,
    kDlgInitComboAddString = 0x0403,
};

struct DialogInitEntry {
    int controlId = 0;
    unsigned message = 0;
    std::string text; // the data up to its first NUL
};

class DialogInitReader {
public:
    DialogInitReader(const void* data, std::size_t size);

    // Reads the next record. Returns false at the end marker, at the end of
    // the data, or on a malformed record (then Malformed() is true).
    bool Next(DialogInitEntry* entry);
    bool Malformed() const { return malformed_; }

private:
    const unsigned char* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
    bool malformed_ = false;
};
