#include <gtest/gtest.h>

#include <string>

#include "core/archive_reader.h"
#include "core/archive_writer.h"
#include "test_files.h"

namespace quorstat {
namespace {

using testing::le32;

TEST(ArchiveStream, LengthPrefixGrowsAtTheFrameworkLimits) {
    struct Case {
        std::size_t length;
        std::string prefix;
    } cases[] = {
        {0, std::string("\x00", 1)},
        {254, "\xFE"},
        {255, std::string("\xFF\xFF\x00", 3)},
        {0xFFFD, "\xFF\xFD\xFF"},
        {0xFFFE, std::string("\xFF\xFF\xFF\xFE\xFF\x00\x00", 7)},
        {70000, std::string("\xFF\xFF\xFF\x70\x11\x01\x00", 7)},
    };
    for (const auto& c : cases) {
        const std::string text(c.length, 'x');
        ArchiveWriter writer;
        writer.writeRawString(text);
        EXPECT_EQ(writer.bytes(), c.prefix + text) << c.length;

        ArchiveReader reader(writer.bytes());
        std::string back;
        EXPECT_TRUE(reader.readRawString(back)) << c.length;
        EXPECT_EQ(back, text);
        EXPECT_EQ(reader.remaining(), 0u);
    }
}

TEST(ArchiveStream, IntegersAreLittleEndianAndStringsAnsi) {
    ArchiveWriter writer;
    writer.writeUInt32(0x01337958);
    writer.writeInt32(-2);
    writer.writeFlag(true);
    writer.writeString("张三");
    EXPECT_EQ(writer.bytes(),
              le32(0x01337958) + le32(0xFFFFFFFE) + le32(1) + "\x04\xD5\xC5\xC8\xFD");

    ArchiveReader reader(writer.bytes());
    std::int32_t value = 0;
    bool flag = false;
    std::string text;
    EXPECT_TRUE(reader.expectMagic(0x01337958));
    EXPECT_TRUE(reader.readInt32(value));
    EXPECT_TRUE(reader.readFlag(flag));
    EXPECT_TRUE(reader.readString(text));
    EXPECT_EQ(value, -2);
    EXPECT_TRUE(flag);
    EXPECT_EQ(text, "张三");
}

// Once a read fails, nothing after it is taken and no target changes.
TEST(ArchiveStream, FirstFailureStopsEveryLaterRead) {
    struct Case {
        const char* name;
        std::string bytes;
    } cases[] = {
        {"string longer than the data", std::string("\x09") + "abc" + le32(7)},
        {"32-bit length beyond the data", std::string("\xFF\xFF\xFF\xFF\xFF\xFF\x7F", 7) + le32(7)},
        {"UTF-16 marker", std::string("\xFF\xFE\xFF\x01\x41\x00", 6) + le32(7)},
        {"64-bit length", std::string("\xFF\xFF\xFF\xFF\xFF\xFF\xFF", 7) + le32(7)},
        {"cut prefix", "\xFF\x01"},
    };
    for (const auto& c : cases) {
        ArchiveReader reader(c.bytes);
        std::string text = "kept";
        std::int32_t value = 42;
        EXPECT_FALSE(reader.readRawString(text)) << c.name;
        EXPECT_FALSE(reader.readInt32(value)) << c.name;
        EXPECT_EQ(text, "kept") << c.name;
        EXPECT_EQ(value, 42) << c.name;
    }
}

TEST(ArchiveStream, WrongMagicOrCutIntegerStopsTheRead) {
    const std::string wrongMagicBytes = le32(0x01337959) + le32(7);
    ArchiveReader wrongMagic(wrongMagicBytes);
    std::int32_t value = 42;
    EXPECT_FALSE(wrongMagic.expectMagic(0x01337958));
    EXPECT_FALSE(wrongMagic.readInt32(value));

    const std::string cutBytes = le32(5) + "\x01\x02";
    ArchiveReader cut(cutBytes);
    EXPECT_TRUE(cut.readInt32(value));
    EXPECT_FALSE(cut.readInt32(value));
    EXPECT_EQ(value, 5);
    EXPECT_FALSE(cut.ok());
}

TEST(ArchiveStream, InvalidAnsiBytesReadAsReplacementCharacters) {
    ArchiveReader reader(std::string_view("\x03\xD5\xC5\xFF", 4));
    std::string text;
    ASSERT_TRUE(reader.readString(text));
    EXPECT_EQ(text.substr(0, 3), "张");
    EXPECT_NE(text.find("\xEF\xBF\xBD"), std::string::npos);
}

}  // namespace
}  // namespace quorstat
