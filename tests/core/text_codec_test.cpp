#include "core/text_codec.h"

#include <gtest/gtest.h>

namespace quorstat {
namespace {

TEST(TextCodec, RoundTripsChineseThroughGbk) {
    const std::string utf8 = "重庆时时彩|提示信息";
    const std::string ansi = ToAnsi(utf8);
    EXPECT_EQ(ansi.substr(0, 4), "\xD6\xD8\xC7\xEC");  // 重庆 in GBK
    EXPECT_EQ(FromAnsi(ansi), utf8);
}

TEST(TextCodec, KeepsCharactersOutsideGbk) {
    const std::string utf8 = "😀€";
    EXPECT_EQ(FromAnsi(ToAnsi(utf8)), utf8);
}

TEST(TextCodec, MeasuresLengthInAnsiBytes) {
    EXPECT_EQ(AnsiLength("abc"), 3u);
    EXPECT_EQ(AnsiLength("投注abc"), 7u);
    EXPECT_EQ(AnsiLength(""), 0u);
}

TEST(TextCodec, InvalidBytesBecomeReplacementAndKeepTheRest) {
    // A text cut inside a double-byte character, and a byte that starts no character.
    EXPECT_EQ(FromAnsi("ab\xD6"), "ab\xEF\xBF\xBD");
    EXPECT_EQ(FromAnsi("\xFF"
                       "ab"),
              "\xEF\xBF\xBD"
              "ab");
    EXPECT_EQ(ToAnsi("a\xC3"), "a\x84\x31\xA4\x37");
}

}  // namespace
}  // namespace quorstat
