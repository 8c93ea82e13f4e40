#include "protocol/TemporaryName.h"

#include <gtest/gtest.h>

namespace {

TEST(TemporaryOutputName, SameFolderAndExtension) {
    const struct {
        const char* output;
        const char* expected;
    } cases[] = {
        {"C:\\output video\\holiday.vob", "C:\\output video\\holiday.~enc42.vob"},
        {"C:\\out.dir\\clip", "C:\\out.dir\\clip.~enc42"}, // a dot in the folder is no extension
        {"C:\\out\\a.b.avi", "C:\\out\\a.b.~enc42.avi"},
        {"C:\\out\\.avi", "C:\\out\\.avi.~enc42"},
        {"clip.mpg", "clip.~enc42.mpg"},
        {"C:clip.wmv", "C:clip.~enc42.wmv"},
        {"\\\\server\\share\\x.asf", "\\\\server\\share\\x.~enc42.asf"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.expected, TemporaryOutputName(c.output, 42)) << c.output;
}

} // namespace
