#include "core/base_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/atomic_file.h"
#include "test_files.h"

namespace quorstat {
namespace {

using testing::le32;
using testing::TempDir;

constexpr unsigned kCreate = CBaseFile::modeCreate | CBaseFile::modeReadWrite;

std::string header(std::uint32_t all, std::uint32_t odd, std::uint32_t third, std::uint32_t length,
                   std::string_view tag = "", std::uint32_t value = 0) {
    std::string bytes = std::string("NRVBASEFILEFLAG", 16) + le32(0x01329095) + le32(all) +
                        le32(odd) + le32(third) + le32(length) + std::string(tag) +
                        std::string(20 - tag.size(), '\0') + le32(value);
    return bytes;
}

void writeContainer(const std::filesystem::path& path, std::string_view data,
                    std::string_view tag = "", std::int32_t value = 0) {
    CBaseFile file;
    ASSERT_TRUE(file.Open(path, kCreate));
    if (!tag.empty())
        file.SetTypeTag(tag, value);
    ASSERT_TRUE(file.Write(data.data(), data.size()));
    ASSERT_TRUE(file.Close());
}

std::string readAll(CBaseFile& file) {
    std::string data(file.GetLength(), '\0');
    data.resize(file.Read(data.data(), data.size()));
    return data;
}

TEST(BaseFile, HeaderHoldsLengthTagAndTheThreeChecksums) {
    TempDir dir;
    writeContainer(dir / "a.prj", std::string("\x01\x02\x03", 3), "BigPFile", 0x0132B4DB);
    EXPECT_EQ(*ReadWholeFile(dir / "a.prj"),
              header(6, 2, 3, 3, "BigPFile", 0x0132B4DB) + std::string("\x01\x02\x03", 3));
    EXPECT_EQ(dir.entryCount(), 1u);
}

TEST(BaseFile, OpensItsOwnFileAndReadsTheData) {
    TempDir dir;
    std::string data;
    for (int i = 0; i < 300000; ++i)
        data.push_back(static_cast<char>(i * 7));
    writeContainer(dir / "a.prj", data, "BigPFile", -5);

    CBaseFile file;
    ASSERT_TRUE(file.Open(dir / "a.prj", CBaseFile::modeRead));
    EXPECT_TRUE(file.HasTypeTag("BigPFile"));
    EXPECT_FALSE(file.HasTypeTag("BigP"));
    EXPECT_EQ(file.GetTypeValue(), -5);
    EXPECT_EQ(file.GetLength(), data.size());
    EXPECT_EQ(readAll(file), data);
}

TEST(BaseFile, AnyDamageMakesOpenFail) {
    TempDir dir;
    writeContainer(dir / "good.prj", std::string("\x01\x02\x03\x04", 4));
    const std::string good = *ReadWholeFile(dir / "good.prj");
    struct Case {
        const char* name;
        std::size_t at;
        char value;
    } cases[] = {{"data byte", 61, '\x09'}, {"magic text", 3, 'x'}, {"marker", 17, '\0'},
                 {"sum of all", 20, '\0'},  {"odd sum", 24, '\0'},  {"third sum", 28, '\0'},
                 {"length", 32, '\x05'}};
    for (const auto& c : cases) {
        std::string damaged = good;
        damaged[c.at] = c.value;
        testing::writeFile(dir / "bad.prj", damaged);
        CBaseFile file;
        EXPECT_FALSE(file.Open(dir / "bad.prj", CBaseFile::modeRead)) << c.name;
        EXPECT_FALSE(file.Open(dir / "bad.prj", CBaseFile::modeReadWrite)) << c.name;
        EXPECT_EQ(*ReadWholeFile(dir / "bad.prj"), damaged) << c.name;
    }
    testing::writeFile(dir / "short.prj", good.substr(0, 59));
    testing::writeFile(dir / "cut.prj", good.substr(0, 63));
    CBaseFile file;
    EXPECT_FALSE(file.Open(dir / "short.prj", CBaseFile::modeRead));
    EXPECT_FALSE(file.Open(dir / "cut.prj", CBaseFile::modeRead));
    EXPECT_FALSE(file.Open(dir / "missing.prj", CBaseFile::modeRead));
    EXPECT_FALSE(file.Open(dir / "missing.prj", CBaseFile::modeReadWrite));
    EXPECT_EQ(dir.entryCount(), 4u);  // no temporary file left behind
}

TEST(BaseFile, CreatedAndClosedWithoutChangesLeavesAnEmptyContainer) {
    TempDir dir;
    CBaseFile file;
    ASSERT_TRUE(file.Open(dir / "a.prj", kCreate));
    EXPECT_TRUE(file.Close());
    EXPECT_EQ(*ReadWholeFile(dir / "a.prj"), header(0, 0, 0, 0));
    EXPECT_TRUE(file.Open(dir / "a.prj", CBaseFile::modeRead));
}

TEST(BaseFile, AChangedContainerWithoutDataIsDeleted) {
    TempDir dir;
    CBaseFile file;
    ASSERT_TRUE(file.Open(dir / "a.prj", kCreate));
    file.SetTypeTag("BigPFile", 0x0132B4DB);
    EXPECT_TRUE(file.Close());
    EXPECT_FALSE(std::filesystem::exists(dir / "a.prj"));

    writeContainer(dir / "b.prj", "data");
    ASSERT_TRUE(file.Open(dir / "b.prj", CBaseFile::modeReadWrite));
    EXPECT_TRUE(file.SetLength(0));
    EXPECT_TRUE(file.Close());
    EXPECT_EQ(dir.entryCount(), 0u);
}

TEST(BaseFile, TagIsCutToSixteenBytesAndOnlyAChangeMarksTheFile) {
    TempDir dir;
    writeContainer(dir / "a.prj", "x", "BigPFile", 1);
    const std::string before = *ReadWholeFile(dir / "a.prj");
    CBaseFile file;
    ASSERT_TRUE(file.Open(dir / "a.prj", CBaseFile::modeReadWrite | CBaseFile::modeNoTruncate));
    file.SetTypeTag(std::nullopt, 1);
    file.SetTypeTag("BigPFile", 1);
    EXPECT_TRUE(file.Close());
    EXPECT_EQ(*ReadWholeFile(dir / "a.prj"), before);

    ASSERT_TRUE(file.Open(dir / "a.prj", CBaseFile::modeReadWrite));
    file.SetTypeTag("大底文件ABCDEFGHIJK", 2);  // 8 + 11 bytes in the ANSI code page
    EXPECT_TRUE(file.Close());
    ASSERT_TRUE(file.Open(dir / "a.prj", CBaseFile::modeRead));
    EXPECT_TRUE(file.HasTypeTag("大底文件ABCDEFGH"));
    EXPECT_EQ(file.GetTypeValue(), 2);
}

// Writes below 128 KiB gather in the buffer, larger ones go straight to the file; either way the
// positions and the stored data are as written.
TEST(BaseFile, BufferedAndDirectWritesKeepPositionsAndOrder) {
    TempDir dir;
    const std::string small(1000, 's');
    const std::string large(0x20000, 'L');
    CBaseFile file;
    ASSERT_TRUE(file.Open(dir / "a.prj", kCreate));
    std::string expected;
    for (int i = 0; i < 200; ++i) {
        ASSERT_TRUE(file.Write(small.data(), small.size()));
        expected += small;
        EXPECT_EQ(file.GetPosition(), expected.size());
        EXPECT_EQ(file.GetLength(), expected.size());
    }
    ASSERT_TRUE(file.Write(large.data(), large.size()));
    expected += large;
    EXPECT_EQ(file.Seek(10, CBaseFile::SeekFrom::begin), 10u);
    ASSERT_TRUE(file.Write("0123", 4));
    expected.replace(10, 4, "0123");
    EXPECT_EQ(file.GetLength(), expected.size());
    EXPECT_EQ(file.Seek(-4, CBaseFile::SeekFrom::current), 10u);
    char back[4];
    EXPECT_EQ(file.Read(back, 4), 4u);
    EXPECT_EQ(std::string(back, 4), "0123");
    EXPECT_FALSE(file.Seek(-1, CBaseFile::SeekFrom::begin).has_value());
    EXPECT_EQ(file.Seek(0, CBaseFile::SeekFrom::end), expected.size());
    ASSERT_TRUE(file.Write("end", 3));
    expected += "end";
    ASSERT_TRUE(file.Close());

    ASSERT_TRUE(file.Open(dir / "a.prj", CBaseFile::modeRead));
    EXPECT_EQ(readAll(file), expected);
}

TEST(BaseFile, NoTruncateKeepsTheDataAndCreateReplacesIt) {
    TempDir dir;
    writeContainer(dir / "a.prj", "old");
    CBaseFile file;
    ASSERT_TRUE(file.Open(dir / "a.prj", kCreate | CBaseFile::modeNoTruncate));
    EXPECT_EQ(file.GetLength(), 3u);
    file.Seek(0, CBaseFile::SeekFrom::end);
    ASSERT_TRUE(file.Write("+", 1));
    ASSERT_TRUE(file.Close());
    ASSERT_TRUE(file.Open(dir / "a.prj", CBaseFile::modeRead));
    EXPECT_EQ(readAll(file), "old+");
    file.Close();

    ASSERT_TRUE(file.Open(dir / "a.prj", kCreate));
    EXPECT_EQ(file.GetLength(), 0u);
    ASSERT_TRUE(file.Write("new", 3));
    ASSERT_TRUE(file.Close());
    ASSERT_TRUE(file.Open(dir / "a.prj", CBaseFile::modeRead));
    EXPECT_EQ(readAll(file), "new");
}

// Until Close the old file stays as it was, so an abandoned write never leaves half a file.
TEST(BaseFile, TheOldFileStaysUntilClose) {
    TempDir dir;
    writeContainer(dir / "a.prj", "old");
    const std::string before = *ReadWholeFile(dir / "a.prj");
    {
        CBaseFile file;
        ASSERT_TRUE(file.Open(dir / "a.prj", kCreate));
        ASSERT_TRUE(file.Write("new data", 8));
        EXPECT_EQ(*ReadWholeFile(dir / "a.prj"), before);
    }
    CBaseFile file;
    ASSERT_TRUE(file.Open(dir / "a.prj", CBaseFile::modeRead));
    EXPECT_EQ(readAll(file), "new data");
    EXPECT_EQ(dir.entryCount(), 1u);
}

TEST(BaseFile, ReadOnlyContainerRefusesChanges) {
    TempDir dir;
    writeContainer(dir / "a.prj", "abc");
    const std::string before = *ReadWholeFile(dir / "a.prj");
    CBaseFile file;
    ASSERT_TRUE(file.Open(dir / "a.prj", CBaseFile::modeRead));
    EXPECT_FALSE(file.Write("x", 1));
    EXPECT_FALSE(file.SetLength(0));
    file.SetTypeTag("Other", 3);
    EXPECT_TRUE(file.Close());
    EXPECT_EQ(*ReadWholeFile(dir / "a.prj"), before);
}

}  // namespace
}  // namespace quorstat
