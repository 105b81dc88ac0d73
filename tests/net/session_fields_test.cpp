#include "net/session_fields.h"

#include <gtest/gtest.h>

#include "scoped_time_zone.h"

namespace quorstat {
namespace {

TEST(SessionFields, PasswordDigestIsTheMiddleOfMd5OverAnsiBytes) {
    EXPECT_EQ(PasswordDigest(""), "8f00b204e9800998");
    EXPECT_EQ(PasswordDigest("secret"), "ecd0e0f08eab7690");
    EXPECT_EQ(PasswordDigest("密码"), "f0c964c5f6242486");
    EXPECT_EQ(PasswordDigest(std::string(300, 'x')).size(), 16u);
}

TEST(SessionFields, TimeTokenCarriesTheLocalTimeTwice) {
    const testing::ScopedTimeZone utc("UTC");
    EXPECT_EQ(BuildTimeToken(1367411445),
              "VF=MjAxMy0wNS0wMSAxMjozMDo0NQ&Ontime=2013-05-01 12:30:45");
}

}  // namespace
}  // namespace quorstat
