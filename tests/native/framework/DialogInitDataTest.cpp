#include "framework/DialogInitData.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Builds records the way the resource compiler lays them out.
struct Bytes {
    std::vector<unsigned char> data;
    Bytes& U16(unsigned v) {
        data.push_back(v & 0xFF);
        data.push_back((v >> 8) & 0xFF);
        return *this;
    }
    Bytes& U32(unsigned v) { return U16(v & 0xFFFF).U16(v >> 16); }
    Bytes& Raw(const std::string& s) {
        data.insert(data.end(), s.begin(), s.end());
        return *this;
    }
    Bytes& Entry(unsigned id, unsigned message, const std::string& text) {
        return U16(id)
            .U16(message)
            .U32(static_cast<unsigned>(text.size() + 1))
            .Raw(text)
            .Raw(std::string(1, '\0'));
    }
};

struct Read {
    std::vector<DialogInitEntry> entries;
    bool malformed;
};

Read ReadAll(const std::vector<unsigned char>& data) {
    DialogInitReader reader(data.data(), data.size());
    Read result;
    DialogInitEntry entry;
    while (reader.Next(&entry))
        result.entries.push_back(entry);
    result.malformed = reader.Malformed();
    return result;
}

TEST(DialogInitReader, ReadsRecordsInOrderAcrossOddOffsets) {
    // "PAL" is four bytes with its NUL and "NTSC" five, so the next record
    // starts at an odd offset: records are packed, not aligned.
    Bytes b;
    b.Entry(1067, 0x0403, "NTSC")
        .Entry(1067, 0x0403, "PAL")
        .Entry(1066, 0x0401, "AVI Format (*.avi)")
        .U16(0);
    Read r = ReadAll(b.data);
    ASSERT_EQ(3u, r.entries.size());
    EXPECT_FALSE(r.malformed);
    EXPECT_EQ(1067, r.entries[0].controlId);
    EXPECT_EQ(0x0403u, r.entries[0].message);
    EXPECT_EQ("NTSC", r.entries[0].text);
    EXPECT_EQ("PAL", r.entries[1].text);
    EXPECT_EQ(1066, r.entries[2].controlId);
    EXPECT_EQ(0x0401u, r.entries[2].message);
    EXPECT_EQ("AVI Format (*.avi)", r.entries[2].text);
}

TEST(DialogInitReader, KeepsInnerSpacesAndStopsTextAtNul) {
    Bytes b;
    b.Entry(1069, 0x0403, "4:3    (Standard TV)");
    b.U16(1069).U16(0x0403).U32(6).Raw(std::string("ab\0cd\0", 6)).U16(0);
    Read r = ReadAll(b.data);
    ASSERT_EQ(2u, r.entries.size());
    EXPECT_EQ("4:3    (Standard TV)", r.entries[0].text);
    EXPECT_EQ("ab", r.entries[1].text);
}

TEST(DialogInitReader, TextWithoutNulIsBoundedByItsLength) {
    Bytes b;
    b.U16(5).U16(0x0403).U32(3).Raw("xyz").U16(0);
    Read r = ReadAll(b.data);
    ASSERT_EQ(1u, r.entries.size());
    EXPECT_EQ("xyz", r.entries[0].text);
}

TEST(DialogInitReader, EndsCleanly) {
    struct Case {
        const char* name;
        std::vector<unsigned char> data;
        size_t entries;
    };
    const std::vector<Case> cases = {
        {"empty", {}, 0},
        {"end marker only", Bytes().U16(0).data, 0},
        {"no end marker", Bytes().Entry(7, 0x0403, "a").data, 1},
        {"padding byte after last record", Bytes().Entry(7, 0x0403, "ab").Raw("\x01").data, 1},
        {"data after end marker is ignored", Bytes().U16(0).Entry(7, 0x0403, "a").data, 0},
    };
    for (const Case& c : cases) {
        Read r = ReadAll(c.data);
        EXPECT_EQ(c.entries, r.entries.size()) << c.name;
        EXPECT_FALSE(r.malformed) << c.name;
    }
}

TEST(DialogInitReader, StopsAtMalformedRecordsWithoutReadingPastTheData) {
    struct Case {
        const char* name;
        std::vector<unsigned char> data;
        size_t entries;
    };
    const std::vector<Case> cases = {
        {"truncated header", Bytes().Entry(7, 0x0403, "a").U16(8).U16(0x0403).data, 1},
        {"length beyond the data", Bytes().U16(7).U16(0x0403).U32(50).Raw("short").data, 0},
        {"huge length",
         Bytes().Entry(7, 0x0403, "a").U16(7).U16(0x0403).U32(0xFFFFFFFFu).Raw("x").data, 1},
    };
    for (const Case& c : cases) {
        Read r = ReadAll(c.data);
        EXPECT_EQ(c.entries, r.entries.size()) << c.name;
        EXPECT_TRUE(r.malformed) << c.name;
    }
}

TEST(DialogInitReader, NullDataReadsNothing) {
    DialogInitReader reader(nullptr, 100);
    DialogInitEntry entry;
    EXPECT_FALSE(reader.Next(&entry));
    EXPECT_FALSE(reader.Malformed());
}

} // namespace
