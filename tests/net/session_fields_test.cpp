#include "net/session_fields.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "net/base64.h"

namespace quorstat {
namespace {

TEST(Base64, EncodesWithoutFillCharacters) {
    const std::vector<std::pair<std::string_view, std::string_view>> cases{
        {"", ""},           {"f", "Zg"},          {"fo", "Zm8"},       {"foo", "Zm9v"},
        {"foob", "Zm9vYg"}, {"2.8.1", "Mi44LjE"}, {"\xff\xfe", "//4"},
    };
    for (const auto& [bytes, text] : cases) {
        EXPECT_EQ(Base64Encode(bytes), text);
        EXPECT_EQ(Base64Decode(text), bytes);
    }
}

TEST(Base64, DecodingIgnoresFillAndRefusesStrangers) {
    EXPECT_EQ(Base64Decode("Zm8="), "fo");
    EXPECT_EQ(Base64Decode("Zg=="), "f");
    EXPECT_EQ(Base64Decode("Zm9vY"), std::nullopt);
    EXPECT_EQ(Base64Decode("Zm9v!A"), std::nullopt);
    EXPECT_EQ(Base64Decode("Zm 9v"), std::nullopt);
}

TEST(SessionFields, PasswordDigestIsTheMiddleOfMd5OverAnsiBytes) {
    EXPECT_EQ(PasswordDigest(""), "8f00b204e9800998");
    EXPECT_EQ(PasswordDigest("secret"), "ecd0e0f08eab7690");
    EXPECT_EQ(PasswordDigest("密码"), "f0c964c5f6242486");
    EXPECT_EQ(PasswordDigest(std::string(300, 'x')).size(), 16u);
}

TEST(SessionFields, TimeTokenCarriesTheLocalTimeTwice) {
    setenv("TZ", "UTC", 1);
    tzset();
    EXPECT_EQ(BuildTimeToken(1367411445),
              "VF=MjAxMy0wNS0wMSAxMjozMDo0NQ&Ontime=2013-05-01 12:30:45");
}

}  // namespace
}  // namespace quorstat
