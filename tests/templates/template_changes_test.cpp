#include "templates/template_changes.h"

#include <gtest/gtest.h>

#include <functional>

#include "net/request_types.h"

namespace quorstat {
namespace {

namespace Type = RequestType;

tagTEMPLATEITEM stored(std::int32_t id, std::int32_t sort, std::string name) {
    tagTEMPLATEITEM item;
    item.TempletID = id;
    item.Sort = sort;
    item.TempletName = std::move(name);
    item.Win = "中";
    item.Loss = "挂";
    item.Wait = "等待";
    return item;
}

// As the service lists them: the system template, then 甲, 乙 and 丙 in sort order.
const std::vector<tagTEMPLATEITEM> kListed{stored(1, 0, "系统模板"), stored(11, 1, "甲"),
                                           stored(12, 2, "乙"), stored(13, 3, "丙")};

struct Expected {
    int type;
    std::string name;  // uploads
    std::int32_t id;   // changes and deletions
};

TEST(TemplateChanges, QueuesUploadsInRowOrderThenDeletionsElseTheList) {
    struct Case {
        const char* name;
        std::function<void(TemplateRows&)> edit;
        std::vector<Expected> requests;
        std::string pending;
    };
    const Case cases[] = {
        {"nothing changed", [](TemplateRows&) {}, {{Type::TemplateList, "", 0}}, ""},
        {"another template chosen",
         [](TemplateRows& r) { r.tick(3); },
         {{Type::TemplateList, "", 0}},
         "丙"},
        {"one added",
         [](TemplateRows& r) { r.add(stored(0, 0, "丁")); },
         {{Type::TemplateAdd, "丁", 0}},
         ""},
        {"one changed",
         [](TemplateRows& r) {
             tagTEMPLATEITEM edited = r.rows()[2];
             edited.Remark = "新备注";
             r.modify(2, edited);
         },
         {{Type::TemplateChange, "乙", 12}},
         ""},
        {"the second of three deleted",
         [](TemplateRows& r) { r.remove({2}); },
         {{Type::TemplateChange, "丙", 13}, {Type::TemplateDelete, "乙", 12}},
         ""},
        {"two rows swapped",
         [](TemplateRows& r) { r.moveDown(1); },
         {{Type::TemplateChange, "乙", 12}, {Type::TemplateChange, "甲", 11}},
         ""},
        {"changed, added and deleted at once, the new one chosen",
         [](TemplateRows& r) {
             r.remove({3});
             tagTEMPLATEITEM edited = r.rows()[1];
             edited.TempletName = "甲二";
             r.modify(1, edited);
             r.add(stored(0, 0, "戊"));
             r.tick(3);
         },
         {{Type::TemplateChange, "甲二", 11},
          {Type::TemplateAdd, "戊", 0},
          {Type::TemplateDelete, "丙", 13}},
         "戊"},
    };
    for (const Case& c : cases) {
        TemplateRows rows(kListed, "甲");
        c.edit(rows);
        const TemplateChanges changes = PlanTemplateChanges(rows.result(), kListed, "甲");
        EXPECT_EQ(changes.pendingName, c.pending) << c.name;
        ASSERT_EQ(changes.requests.size(), c.requests.size()) << c.name;
        for (std::size_t i = 0; i < c.requests.size(); ++i) {
            const TemplateRequest& request = changes.requests[i];
            EXPECT_EQ(request.type, c.requests[i].type) << c.name << " #" << i;
            EXPECT_EQ(request.item.TempletID, c.requests[i].id) << c.name << " #" << i;
            if (request.type != Type::TemplateList) {
                EXPECT_EQ(request.item.TempletName, c.requests[i].name) << c.name << " #" << i;
            }
        }
    }
}

}  // namespace
}  // namespace quorstat
