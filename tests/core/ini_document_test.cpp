#include "core/ini_document.h"

#include <gtest/gtest.h>

#include <optional>

#include "core/atomic_file.h"
#include "temp_dir.h"

namespace quorstat {
namespace {

TEST(IniDocument, ReadsSectionsAndKeysIgnoringCase) {
    const auto ini = IniDocument::Parse(
        "[Global]\r\nLottID = 1012\r\n[systemsettings]\r\n"
        "ExitPrompt=7\r\nLotteryNowSoundFile=\"a b.wav\"\r\n");
    EXPECT_EQ(ini.getInt("global", "lottid", 0), 1012);
    EXPECT_EQ(ini.getInt("SystemSettings", "EXITPROMPT", 0), 7);
    EXPECT_EQ(ini.getString("SystemSettings", "LotteryNowSoundFile", ""), "a b.wav");
    EXPECT_EQ(ini.getInt("Global", "Missing", 42), 42);
    EXPECT_EQ(ini.getString("Nowhere", "LottID", "x"), "x");
}

TEST(IniDocument, ReadsIntegersFromTheirLeadingDigits) {
    struct Case {
        const char* text;
        int expected;
    } cases[] = {{"12abc", 12},
                 {"-5", -5},
                 {"+7", 7},
                 {"abc", 0},
                 {"", 0},
                 {"99999999999", 2147483647},
                 {"-99999999999", -2147483647 - 1},
                 {" 3 ", 3}};
    for (const auto& c : cases)
        EXPECT_EQ(ParseProfileInt(c.text), c.expected) << c.text;
}

TEST(IniDocument, WritingOneKeyKeepsTheRestOfTheFile) {
    auto ini = IniDocument::Parse("; note\r\n[A]\r\nx=1\r\n\r\n[B]\r\ny=2\r\n");
    ini.setString("a", "X", "5");
    ini.setString("A", "z", "new");
    ini.setString("C", "w", "3");
    EXPECT_EQ(ini.text(), "; note\r\n[A]\r\nX=5\r\nz=new\r\n\r\n[B]\r\ny=2\r\n[C]\r\nw=3\r\n");
}

TEST(IniDocument, SavesInTheAnsiCodePageAndCreatesTheFile) {
    const testing::TempDir dir;
    const auto path = dir / "config.ini";
    IniDocument ini;
    ini.setString("SystemSettings", "PlanTextEditLogFont_FaceName", "宋体");
    ASSERT_TRUE(ini.save(path));
    EXPECT_EQ(*ReadWholeFile(path),
              "[SystemSettings]\r\nPlanTextEditLogFont_FaceName=\xCB\xCE\xCC\xE5\r\n");
    EXPECT_EQ(
        IniDocument::Load(path).getString("systemsettings", "PlanTextEditLogFont_FaceName", ""),
        "宋体");
}

// Only the line of the key set may change; everything else of the file stays byte for byte.
TEST(IniDocument, WritingAKeyKeepsEveryOtherByteOfTheFile) {
    const struct {
        const char* what;
        std::string before;
        const char* section;
        const char* key;
        std::optional<std::string> read;
        std::string value;
        std::string after;
    } cases[] = {
        {"bytes that are no GB18030 in a section never read",
         "[Other]\r\nName=\x81\x20\xFF\r\n[Global]\r\nLottID=1010\r\n", "Global", "LottID", "1010",
         "1012", "[Other]\r\nName=\x81\x20\xFF\r\n[Global]\r\nLottID=1012\r\n"},
        {"a byte-order mark before the first section", "\xEF\xBB\xBF[Global]\r\nLottID=1013\r\n",
         "Global", "LottID", "1013", "1012", "\xEF\xBB\xBF[Global]\r\nLottID=1012\r\n"},
        {"UTF-8 text behind a byte-order mark", "\xEF\xBB\xBF[S]\r\nFace=宋体\r\n", "S", "Face",
         "宋体", "楷体", "\xEF\xBB\xBF[S]\r\nFace=楷体\r\n"},
        {"line feeds alone, and a last line without one", "[A]\nx=1\n[B]\ny=2", "B", "z",
         std::nullopt, "3", "[A]\nx=1\n[B]\ny=2\r\nz=3\r\n"},
        {"a value set to what it was", "[A]\r\nX = \"a b\"\r\n", "a", "x", "a b", "a b",
         "[A]\r\nX = \"a b\"\r\n"},
        {"a value in the ANSI code page", "[S]\r\nFace=\xCB\xCE\xCC\xE5\r\n", "S", "Face", "宋体",
         "楷体", "[S]\r\nFace=\xBF\xAC\xCC\xE5\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        IniDocument ini = IniDocument::FromBytes(c.before);
        EXPECT_EQ(ini.value(c.section, c.key), c.read);
        ini.setString(c.section, c.key, c.value);
        EXPECT_EQ(ini.bytes(), c.after);
    }
}

}  // namespace
}  // namespace quorstat
