#include "core/ini_document.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/atomic_file.h"

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
    const auto dir = std::filesystem::temp_directory_path() / "quorstat_ini_test";
    std::filesystem::create_directories(dir);
    const auto path = dir / "config.ini";
    std::filesystem::remove(path);
    IniDocument ini;
    ini.setString("SystemSettings", "PlanTextEditLogFont_FaceName", "宋体");
    ASSERT_TRUE(ini.save(path));
    EXPECT_EQ(*ReadWholeFile(path),
              "[SystemSettings]\r\nPlanTextEditLogFont_FaceName=\xCB\xCE\xCC\xE5\r\n");
    EXPECT_EQ(
        IniDocument::Load(path).getString("systemsettings", "PlanTextEditLogFont_FaceName", ""),
        "宋体");
    std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace quorstat
