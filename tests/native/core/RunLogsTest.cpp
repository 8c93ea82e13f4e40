#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "core/RunLogs.h"

namespace {

const LogStamp kStamp = {2026, 12, 8, 13, 45, 1, 7};

TEST(RunLogs, NamesCarryStampSequenceAndSourceAndAreKnownAgain) {
    const struct {
        const char* source;
        uint32_t sequence;
        size_t limit;
        const char* name; // "" when it must not fit
        size_t size;
    } cases[] = {
        {"C:\\clips\\holiday.avi", 3, 64, "20261208-134501-007-03 holiday.log", 256},
        {"D:\\a.b\\no extension", 103, 64, "20261208-134501-007-03 no extension.log", 256},
        {"C:\\x\\\xC3\xA9t\xC3\xA9.mp4", 0, 4, "20261208-134501-007-00 \xC3\xA9t.log", 256},
        {"C:\\x\\long name.avi", 1, 0, "20261208-134501-007-01.log", 256},
        {"C:\\x\\clip.avi", 1, 64, "", 20},
    };
    for (const auto& c : cases) {
        char out[256];
        ASSERT_EQ(c.name[0] != '\0', ComposeLogName(kStamp, c.sequence, c.source, c.limit, out,
                                                    c.size))
            << c.source;
        EXPECT_EQ(std::string(c.name), out) << c.source;
        if (c.name[0] != '\0') {
            EXPECT_TRUE(IsLogName(out)) << out;
        }
    }
    for (const char* other : {"notes.log", "20261208-134501-007-03.txt", "20261208-134501-007-3 a.log",
                              "20261208-134501-007-03x.log", "2026120a-134501-007-03.log"}) {
        EXPECT_FALSE(IsLogName(other)) << other;
    }
}

TEST(RunLogs, TheOldestBeyondTheKeptOnesAreRemovedAndNothingElse) {
    std::vector<std::string> names;
    for (int minute = 0; minute < 50; ++minute) {
        for (uint32_t sequence : {1u, 2u, 3u}) {
            LogStamp stamp = kStamp;
            stamp.minute = minute;
            char name[64];
            ASSERT_TRUE(ComposeLogName(stamp, sequence, "C:\\c.avi", 64, name, sizeof name));
            names.push_back(name);
        }
    }
    const std::vector<std::string> oldest(names.begin(), names.begin() + 50);
    names.insert(names.end(), {"readme.txt", "00000000.log", "my.log"});
    std::shuffle(names.begin(), names.end(), std::mt19937(27));

    EXPECT_EQ(oldest, LogsToRemove(names, kKeptLogs));
    EXPECT_EQ(std::vector<std::string>(), LogsToRemove(names, 150));
    EXPECT_EQ(std::vector<std::string>(), LogsToRemove({"readme.txt", "my.log"}, 0));
}

} // namespace
