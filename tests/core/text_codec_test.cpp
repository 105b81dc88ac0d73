#include "core/text_codec.h"

#include <gtest/gtest.h>

#include <random>

#include "iconv_converter.h"

namespace quorstat {
namespace {

using testing::IconvConverter;

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

// Counts the inputs on which the codec and the C library differ; shows the first few.
class Disagreements {
public:
    void check(std::string_view input, const std::string& ours, const std::string& reference) {
        if (ours == reference)
            return;
        if (++count_ <= 5)
            ADD_FAILURE() << "input " << ::testing::PrintToString(std::string(input)) << ": "
                          << ::testing::PrintToString(ours) << " instead of "
                          << ::testing::PrintToString(reference);
    }
    int count() const { return count_; }

private:
    int count_ = 0;
};

std::string fourBytes(unsigned linear) {
    return {static_cast<char>(0x81 + linear / 12600), static_cast<char>(0x30 + linear / 1260 % 10),
            static_cast<char>(0x81 + linear / 10 % 126), static_cast<char>(0x30 + linear % 10)};
}

TEST(TextCodec, DecodesEveryTwoAndFourByteSequenceAsTheCLibraryDoes) {
    const IconvConverter reference = testing::iconvFromAnsi();
    ASSERT_TRUE(reference.ok());
    Disagreements differ;
    for (unsigned pair = 0; pair < 0x10000; ++pair) {
        const std::string input{static_cast<char>(pair >> 8), static_cast<char>(pair & 0xFF)};
        differ.check(input, FromAnsi(input), reference.convertReplacing(input));
    }
    for (unsigned linear = 0; linear < 126 * 10 * 126 * 10; ++linear) {
        const std::string input = fourBytes(linear);
        differ.check(input, FromAnsi(input), reference.convertReplacing(input));
    }
    EXPECT_EQ(differ.count(), 0);
}

std::string utf8Of(char32_t c) {
    std::string out;
    if (c < 0x80)
        return std::string(1, static_cast<char>(c));
    if (c < 0x800)
        return {static_cast<char>(0xC0 | c >> 6), static_cast<char>(0x80 | (c & 0x3F))};
    if (c < 0x10000)
        return {static_cast<char>(0xE0 | c >> 12), static_cast<char>(0x80 | (c >> 6 & 0x3F)),
                static_cast<char>(0x80 | (c & 0x3F))};
    return {static_cast<char>(0xF0 | c >> 18), static_cast<char>(0x80 | (c >> 12 & 0x3F)),
            static_cast<char>(0x80 | (c >> 6 & 0x3F)), static_cast<char>(0x80 | (c & 0x3F))};
}

// A character the C library cannot write (a few private-use ones) becomes one replacement.
TEST(TextCodec, EncodesAndMeasuresEveryCharacterAsTheCLibraryDoes) {
    const IconvConverter reference = testing::iconvToAnsi();
    ASSERT_TRUE(reference.ok());
    Disagreements differ;
    for (char32_t c = 0; c <= 0x10FFFF; ++c) {
        if (c >= 0xD800 && c < 0xE000)
            continue;
        const std::string input = utf8Of(c);
        const auto written = reference.convertWhole(input);
        const std::string ours = ToAnsi(input);
        differ.check(input, ours, written.value_or("\x84\x31\xA4\x37"));
        if (AnsiLength(input) != ours.size())
            differ.check(input, std::to_string(AnsiLength(input)), std::to_string(ours.size()));
    }
    EXPECT_EQ(differ.count(), 0);
}

// Long texts exercise the ASCII runs; stray bytes, cut characters and surrogates the repairs.
TEST(TextCodec, MixedTextsWithBrokenBytesConvertAsTheCLibraryDoes) {
    const IconvConverter fromAnsi = testing::iconvFromAnsi();
    const IconvConverter toAnsi = testing::iconvToAnsi();
    const std::vector<std::string> pieces = {"PID=100|UN=alice|",
                                             "重庆时时彩",
                                             "😀",
                                             "€",
                                             "\xD6\xD8",
                                             "\x81\x30\x81\x30",
                                             "\x81",
                                             "\xFF",
                                             "\x80",
                                             "\xC3",
                                             "\xED\xA0\x80",
                                             "\xF4\x90\x80\x80",
                                             "\xC0\xAF",
                                             "\xE4\xB8",
                                             "|"};
    std::mt19937 random(18030);
    std::uniform_int_distribution<std::size_t> pick(0, pieces.size() - 1);
    Disagreements differ;
    for (int text = 0; text < 2000; ++text) {
        std::string input;
        for (int i = 0; i < 40; ++i)
            input += pieces[pick(random)];
        differ.check(input, FromAnsi(input), fromAnsi.convertReplacing(input));
        differ.check(input, ToAnsi(input), toAnsi.convertReplacing(input));
    }
    EXPECT_EQ(differ.count(), 0);
}

}  // namespace
}  // namespace quorstat
