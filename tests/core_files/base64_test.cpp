#include "core/base64.h"

#include <gtest/gtest.h>

namespace quorstat {
namespace {

TEST(Base64, EncodesWithoutFillCharacters) {
    struct Case {
        std::string bytes;
        const char* text;
    } cases[] = {{"", ""},
                 {"f", "Zg"},
                 {"fo", "Zm8"},
                 {"foo", "Zm9v"},
                 {"2.8.1", "Mi44LjE"},
                 {"\xD5\xC5\xC8\xFD", "1cXI/Q"},
                 {std::string("\xFB\xFF\x00", 3), "+/8A"}};
    for (const auto& c : cases) {
        EXPECT_EQ(EncodeBase64(c.bytes), c.text);
        EXPECT_EQ(DecodeBase64(c.text), c.bytes) << c.text;
    }
}

TEST(Base64, DecodingAcceptsFillAndRejectsForeignCharacters) {
    EXPECT_EQ(DecodeBase64("Zm8="), "fo");
    EXPECT_EQ(DecodeBase64("Zg=="), "f");
    for (const char* bad : {"Z", "Zm9vZ", "Zm 9v", "Zm=v", "Zm9v-A", "\xD5\xC5"})
        EXPECT_FALSE(DecodeBase64(bad).has_value()) << bad;
}

}  // namespace
}  // namespace quorstat
