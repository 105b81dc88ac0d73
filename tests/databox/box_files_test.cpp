#include "databox/box_file.h"

#include <gtest/gtest.h>

#include "../core_files/test_files.h"
#include "box_test_support.h"
#include "core/atomic_file.h"
#include "core/base_file.h"
#include "databox/box_tree.h"
#include "databox/prj_file.h"

namespace quorstat {
namespace {

using namespace quorstat::testing;

constexpr BoxScope kPlanScope{BoxKind::plan, 1010, 1301};
constexpr BoxScope kBigBaseScope{BoxKind::bigBase, 1010, 1301};

// One node as the layout lists its fields; strings are given in the ANSI code page.
struct NodeBytes {
    std::int32_t isGroup = 0, enabled = 1, positive = 1, tolerant = 1, toleranceOn = 0;
    std::string toleranceText, name;
    std::int32_t userId = 0, planId = 0, issue = 0, betCount = 0, verifyState = 0, sharing = 1;
    std::string positions, positionShown = "-", positionFilter, numbers;
    std::uint32_t children = 0;

    std::string bytes() const {
        return le32(static_cast<std::uint32_t>(isGroup)) +
               le32(static_cast<std::uint32_t>(enabled)) +
               le32(static_cast<std::uint32_t>(positive)) +
               le32(static_cast<std::uint32_t>(tolerant)) +
               le32(static_cast<std::uint32_t>(toleranceOn)) + shortString(toleranceText) +
               shortString(name) + le32(static_cast<std::uint32_t>(userId)) +
               le32(static_cast<std::uint32_t>(planId)) + le32(static_cast<std::uint32_t>(issue)) +
               le32(static_cast<std::uint32_t>(betCount)) +
               le32(static_cast<std::uint32_t>(verifyState)) +
               le32(static_cast<std::uint32_t>(sharing)) + shortString(positions) +
               shortString(positionShown) + shortString(positionFilter) + shortString(numbers) +
               shortString("") + shortString("") + le32(children);
    }
};

std::string nodeWithChildren(std::int32_t isGroup, std::uint32_t children) {
    NodeBytes node;
    node.isGroup = isGroup;
    node.children = children;
    return node.bytes();
}

std::string header(std::uint32_t kind, std::uint32_t lotteryId = 1010,
                   std::uint32_t playId = 1301) {
    return le32(0x01337AE0) + le32(kind) + le32(lotteryId) + le32(playId);
}

// A root group holding 甲's plan, written byte by byte from the layout.
std::string handWrittenBody() {
    NodeBytes root;
    root.isGroup = 1;
    root.toleranceOn = 1;
    root.toleranceText = "0,1";
    root.name = "\xD0\xC2\xBD\xA8\xD7\xE9";    // 新建组
    root.positionFilter = "\xC7\xB0\xB6\xFE";  // 前二
    root.children = 1;
    NodeBytes plan;
    plan.positive = 0;
    plan.tolerant = 0;
    plan.name = "\xBC\xD7";  // 甲
    plan.userId = 11;
    plan.planId = 101;
    plan.issue = 130501010;
    plan.betCount = 2;
    plan.verifyState = 1;
    plan.positions = "\xC7\xB0\xB6\xFE";
    plan.positionShown = "\xC7\xB0\xB6\xFE";
    plan.numbers = "12 34 ";
    return root.bytes() + plan.bytes();
}

TEST(BoxFile, MatchesTheLayoutByteForByte) {
    const std::string bytes = header(1) + handWrittenBody();
    auto root = ReadBoxFile(bytes, kPlanScope);
    ASSERT_TRUE(root);
    EXPECT_EQ(root->name, "新建组");
    EXPECT_EQ(root->toleranceOn, 1);
    EXPECT_EQ(root->toleranceText, "0,1");
    EXPECT_EQ(root->positionFilter, "前二");
    ASSERT_EQ(root->children.size(), 1u);
    tagPLANBIGPDATA& plan = *root->children[0];
    EXPECT_EQ(plan.name, "甲");
    EXPECT_EQ(plan.positive, 0);
    EXPECT_EQ(plan.tolerant, 0);
    EXPECT_EQ(plan.userId, 11);
    EXPECT_EQ(plan.planId, 101);
    EXPECT_EQ(plan.issue, 130501010);
    EXPECT_EQ(plan.betCount, 2);
    EXPECT_EQ(plan.positions, "前二");
    EXPECT_EQ(plan.numbers(), "12 34 ");
    // Loaded unverified, the 位置 column waiting for the next filter.
    EXPECT_EQ(plan.verifyState, 0);
    EXPECT_EQ(plan.positionShown, "-");

    // The writer produces the same bytes once the loaded state is put back.
    plan.verifyState = 1;
    plan.positionShown = "前二";
    EXPECT_EQ(WriteBoxFile(kPlanScope, *root), bytes);

    // The big-base box shows the stored positions at once.
    root = ReadBoxFile(header(0) + handWrittenBody(), kBigBaseScope);
    ASSERT_TRUE(root);
    EXPECT_EQ(root->children[0]->positionShown, "前二");
}

TEST(BoxFile, OpensOnlyForItsOwnKindLotteryAndPlay) {
    const std::string body = handWrittenBody();
    // An older plan-box file starts with some other value and has no kind.
    const std::string older = le32(0x01337999) + le32(1010) + le32(1301) + body;
    const struct {
        const char* name;
        std::string bytes;
        BoxScope scope;
        bool opens;
    } cases[] = {
        {"plan box", header(1) + body, kPlanScope, true},
        {"older plan-box file", older, kPlanScope, true},
        {"older file in the big-base box", older, kBigBaseScope, false},
        {"other kind", header(0) + body, kPlanScope, false},
        {"other lottery", header(1, 1011) + body, kPlanScope, false},
        {"other play", header(1, 1010, 1306) + body, kPlanScope, false},
        {"trailing bytes", header(1) + body + "xyz", kPlanScope, true},
        {"item as root", header(1) + NodeBytes{}.bytes(), kPlanScope, false},
        {"item with children", header(1) + nodeWithChildren(0, 1) + NodeBytes{}.bytes(), kPlanScope,
         false},
        {"empty", "", kPlanScope, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ReadBoxFile(c.bytes, c.scope) != nullptr, c.opens);
    }
    const std::string whole = header(1) + body;
    for (std::size_t length = 0; length < whole.size(); ++length)
        ASSERT_FALSE(ReadBoxFile(std::string_view(whole).substr(0, length), kPlanScope)) << length;
}

TEST(BoxFile, RefusesTreesNestedBeyondTheLimit) {
    const auto nested = [](int levels) {
        std::string bytes = header(1);
        for (int level = 1; level <= levels; ++level)
            bytes += nodeWithChildren(1, level < levels ? 1 : 0);
        return bytes;
    };
    EXPECT_TRUE(ReadBoxFile(nested(kMaxTreeDepth), kPlanScope));
    EXPECT_FALSE(ReadBoxFile(nested(kMaxTreeDepth + 1), kPlanScope));
    EXPECT_FALSE(ReadBoxFile(nested(10000), kPlanScope));
}

TEST(BoxFile, SavesAndLoadsWholeTrees) {
    auto root = group(nodes(
        group(nodes(item("12 34 ", "甲"), item(std::string(70000, '7'), "乙")), "0-2", "组一"),
        with(item("", "没有方案"), disabled)));
    root->positionFilter = "后二";
    root->children[0]->children[0]->userId = 11;
    root->children[0]->children[0]->positions = "前二，后二";
    TempDir dir;
    const auto path = BoxTemporaryFile(dir.path(), kBigBaseScope);
    EXPECT_EQ(path.filename(), "BigpTmp_10101301.dat");
    ASSERT_TRUE(SaveBoxFile(path, kBigBaseScope, *root));
    const auto loaded = LoadBoxFile(path, kBigBaseScope);
    ASSERT_TRUE(loaded);
    ForEachItem(*root, [](tagPLANBIGPDATA& node) { node.positionShown = node.positions; });
    root->children[0]->positionShown = "-";
    EXPECT_TRUE(*loaded == *root);
    EXPECT_FALSE(LoadBoxFile(dir.path() / "missing.dat", kBigBaseScope));
}

// A container as the file format lays it out, checksums worked out over the data.
std::string container(std::string_view data, std::string_view tag = "BigPFile",
                      std::uint32_t typeValue = 0x0132B4DB) {
    std::uint32_t all = 0, odd = 0, third = 0;
    for (std::size_t p = 0; p < data.size(); ++p) {
        const auto byte = static_cast<unsigned char>(data[p]);
        all += byte;
        odd += p % 2 == 1 ? byte : 0;
        third += p % 3 == 2 ? byte : 0;
    }
    std::string bytes = std::string("NRVBASEFILEFLAG") + '\0' + le32(0x01329095) + le32(all) +
                        le32(odd) + le32(third) + le32(static_cast<std::uint32_t>(data.size()));
    std::string tagField(20, '\0');
    tagField.replace(0, tag.size(), tag);
    return bytes + tagField + le32(typeValue) + std::string(data);
}

std::string record(std::uint8_t type, std::uint8_t enabled, std::uint8_t positive,
                   std::uint8_t tolerant, std::string_view ansiName, std::uint32_t count,
                   std::uint32_t extra = 0) {
    std::string bytes(552, '\0');
    bytes[0] = static_cast<char>(type);
    bytes[1] = static_cast<char>(enabled);
    bytes[2] = static_cast<char>(positive);
    bytes[3] = static_cast<char>(tolerant);
    bytes.replace(4, 4, le32(0x01010101));
    bytes.replace(268, ansiName.size(), ansiName);
    bytes.replace(536, 4, le32(count));
    bytes.replace(540, 4, le32(0xDEADBEEF));  // means nothing
    bytes.replace(544, 4, le32(extra));
    return bytes;
}

TEST(PrjFile, ReadsAFileLaidOutByHand) {
    const std::string data = std::string("!\x03", 2) + record(1, 1, 1, 1, "", 2) +
                             record(1, 1, 0, 1, "", 1) + record(2, 0, 0, 0, "\xBC\xD7", 2, 1) +
                             le32(77) + std::string("\x00\x01\x02\x09\x09\x09", 6) +
                             record(7, 1, 1, 1, "\xD2\xD2", 0);
    TempDir dir;
    const auto path = dir / "hand.prj";
    writeFile(path, container(data));
    const PrjLoad load = LoadPrjFile(path, 3, true);
    ASSERT_TRUE(load.root) << load.message;
    const tagPLANBIGPDATA& root = *load.root;
    ASSERT_EQ(root.children.size(), 2u);
    const tagPLANBIGPDATA& inner = *root.children[0];
    EXPECT_TRUE(inner.group());
    EXPECT_EQ(inner.positive, 0);
    ASSERT_EQ(inner.children.size(), 1u);
    const tagPLANBIGPDATA& plan = *inner.children[0];
    EXPECT_FALSE(plan.group());
    EXPECT_EQ(plan.name, "甲");
    EXPECT_EQ(plan.enabled, 0);
    EXPECT_EQ(plan.tolerant, 0);
    EXPECT_EQ(plan.numbers(), "012 999 ");
    EXPECT_EQ(plan.betCount, 2);
    EXPECT_EQ(plan.sharing, 1);
    EXPECT_EQ(plan.positionShown, "");
    EXPECT_EQ(root.children[1]->name, "乙");
    EXPECT_FALSE(root.children[1]->group());

    const struct {
        const char* name;
        std::string file;
        int starCount;
        bool showMessages;
        const char* message;
    } refused[] = {
        {"other star count", container(data), 2, true, "文件格式不正确"},
        {"quietly", container(data), 2, false, ""},
        {"other type tag", container(data, "OtherFile"), 3, true, "文件格式不正确"},
        {"cut records", container(data.substr(0, data.size() - 1)), 3, true, "文件格式不正确"},
        {"digit beyond nine",
         container(std::string("!\x03", 2) + record(2, 1, 1, 1, "", 1) + "\x01\x0A\x01"), 3, true,
         "文件格式不正确"},
        {"damaged checksum", container(data).replace(70, 1, "\x05"), 3, true, ""},
    };
    for (const auto& c : refused) {
        SCOPED_TRACE(c.name);
        writeFile(path, c.file);
        const PrjLoad failed = LoadPrjFile(path, c.starCount, c.showMessages);
        EXPECT_FALSE(failed.root);
        EXPECT_EQ(failed.message, c.message);
    }
}

TEST(PrjFile, ExportsEveryItemFlatAndReadsItBack) {
    auto root = group(nodes(group(nodes(with(item("21 34 12 ", "甲"), complemented)), "1", "组"),
                            with(item("99 ", "乙"), disabled), item("", "空")));
    root->children[0]->children[0]->userId = 11;
    root->children[0]->children[0]->verifyState = 1;
    TempDir dir;
    const auto path = dir / "box.prj";
    ASSERT_EQ(SavePrjFile(path, *root, boxPlay(1301)), "");

    const std::string file = ReadWholeFile(path).value();
    const std::string_view data = std::string_view(file).substr(60);
    EXPECT_EQ(container(data), file);  // tag, type value and the three checksums
    ASSERT_EQ(data.size(), 2 + 4 * 552 + 3 * 2 + 2u);
    EXPECT_EQ(data.substr(0, 2), std::string_view("!\x02", 2));
    EXPECT_EQ(data.substr(2, 552), record(1, 1, 1, 1, "", 3).replace(540, 4, le32(0)));
    EXPECT_EQ(data.substr(554, 552), record(2, 1, 0, 1, "\xBC\xD7", 3).replace(540, 4, le32(0)));
    EXPECT_EQ(data.substr(1106, 6), std::string("\x01\x02\x02\x01\x03\x04", 6));

    const PrjLoad load = LoadPrjFile(path, 2, true);
    ASSERT_TRUE(load.root);
    ASSERT_EQ(load.root->children.size(), 3u);
    const tagPLANBIGPDATA& first = *load.root->children[0];
    EXPECT_EQ(first.name, "甲");
    EXPECT_EQ(first.numbers(), "12 21 34 ");
    EXPECT_EQ(first.positive, 0);
    EXPECT_EQ(first.userId, 0);
    EXPECT_EQ(first.verifyState, 0);
    EXPECT_EQ(load.root->children[1]->enabled, 0);
    EXPECT_EQ(load.root->children[2]->numbers(), "");

    EXPECT_EQ(SavePrjFile(path, *root, boxPlay(1307)), "文件数据格式不正确");
    EXPECT_EQ(SavePrjFile(dir / "missing" / "box.prj", *root, boxPlay(1301)), "创建文件失败");
    EXPECT_TRUE(LoadPrjFile(path, 2, true).root);
}

}  // namespace
}  // namespace quorstat
