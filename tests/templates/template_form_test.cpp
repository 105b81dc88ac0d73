#include "templates/template_form.h"

#include <gtest/gtest.h>

#include <functional>

#include "templates/template_rows.h"

namespace quorstat {
namespace {

tagTEMPLATEITEM named(std::string name, std::int32_t id = 0) {
    tagTEMPLATEITEM item;
    item.TempletID = id;
    item.TempletName = std::move(name);
    return item;
}

TemplateForm goodForm() {
    TemplateForm form;
    form.item.TempletName = "我的模板";
    form.item.SignName = "小明";
    form.item.Win = "中";
    form.item.Loss = "挂";
    form.item.Wait = "等待";
    form.item.Remark = "祝好运";
    form.item.DispCode = true;
    form.item.DispHitNow = true;
    return form;
}

TemplateForm formWith(const std::function<void(TemplateForm&)>& change) {
    TemplateForm form = goodForm();
    change(form);
    return form;
}

// Sixteen Chinese characters: 32 bytes in the ANSI code page, 48 in UTF-8.
const std::string k32Bytes = "模板名称模板名称模板名称模板名称";

TEST(TemplateForm, ChecksFieldByFieldAndTheFirstProblemWins) {
    using Use = TemplateFormUse;
    const std::vector<tagTEMPLATEITEM> listed{named("系统模板"), named("模板1"), named("模板3")};
    struct Case {
        const char* name;
        TemplateForm form;
        Use use;
        std::string problem;  // empty: the form reads
    };
    const Case cases[] = {
        {"no name before no win",
         formWith([](TemplateForm& f) { f.item.TempletName.clear(), f.item.Win.clear(); }),
         Use::Add, "没有输入模板名称"},
        {"a name of 32 bytes", formWith([](TemplateForm& f) { f.item.TempletName = k32Bytes; }),
         Use::Add, ""},
        {"a name of 34 bytes",
         formWith([](TemplateForm& f) { f.item.TempletName = k32Bytes + "一"; }), Use::Add,
         "模板名称超长"},
        {"a name holding the system template's",
         formWith([](TemplateForm& f) { f.item.TempletName = "我的系统模板"; }), Use::Add,
         "不能包含系统模板名称"},
        {"modifying to the system template's name",
         formWith([](TemplateForm& f) { f.item.TempletName = "系统模板"; }), Use::Modify,
         "不能包含系统模板名称"},
        {"a name with a separator", formWith([](TemplateForm& f) { f.item.TempletName = "甲|乙"; }),
         Use::Add, "模板名称中含有不能使用的字符"},
        {"a signature with #", formWith([](TemplateForm& f) { f.item.SignName = "#小明"; }),
         Use::Add, "签名中含有不能使用的字符"},
        {"a signature of 33 bytes",
         formWith([](TemplateForm& f) { f.item.SignName = std::string(33, 'a'); }), Use::Add,
         "签名超长"},
        {"no signature", formWith([](TemplateForm& f) { f.item.SignName.clear(); }), Use::Add, ""},
        {"the user's name over a bad signature",
         formWith([](TemplateForm& f) { f.item.SignName = "#", f.useUserName = true; }), Use::Add,
         ""},
        {"no win", formWith([](TemplateForm& f) { f.item.Win.clear(); }), Use::Add,
         "没有输入“中”名称"},
        {"a win of 33 bytes", formWith([](TemplateForm& f) { f.item.Win = std::string(33, 'w'); }),
         Use::Add, "“中”名称超长"},
        {"no loss before no wait",
         formWith([](TemplateForm& f) { f.item.Loss.clear(), f.item.Wait.clear(); }), Use::Add,
         "没有输入“挂”名称"},
        {"a loss of 33 bytes",
         formWith([](TemplateForm& f) { f.item.Loss = std::string(33, 'l'); }), Use::Add,
         "“挂”名称超长"},
        {"win equal to loss before no wait",
         formWith([](TemplateForm& f) { f.item.Loss = "中", f.item.Wait.clear(); }), Use::Add,
         "\"中\"和\"挂\"不能使用相同的名称"},
        {"no wait", formWith([](TemplateForm& f) { f.item.Wait.clear(); }), Use::Add,
         "没有输入“等待”名称"},
        {"a wait of 33 bytes",
         formWith([](TemplateForm& f) { f.item.Wait = std::string(33, 'x'); }), Use::Add,
         "“等待”名称超长"},
        {"a wait with a line break", formWith([](TemplateForm& f) { f.item.Wait = "等\r\n"; }),
         Use::Add, "“等待”名称中含有不能使用的字符"},
        {"a remark of 512 bytes",
         formWith([](TemplateForm& f) { f.item.Remark = std::string(512, 'r'); }), Use::Add, ""},
        {"a remark of 513 bytes",
         formWith([](TemplateForm& f) { f.item.Remark = std::string(513, 'r'); }), Use::Add,
         "备注超长"},
        {"a remark with &", formWith([](TemplateForm& f) { f.item.Remark = "甲&乙"; }), Use::Add,
         "备注中含有不能使用的字符"},
        {"the system template's form has no name to check",
         formWith([](TemplateForm& f) { f.item.TempletName = "系统模板"; }), Use::SystemTemplate,
         ""},
    };
    for (const Case& c : cases) {
        const TemplateFormReading reading = ReadTemplateForm(c.form, c.use, listed);
        EXPECT_EQ(reading.problem, c.problem) << c.name;
        EXPECT_EQ(reading.item.has_value(), c.problem.empty()) << c.name;
    }
}

TEST(TemplateForm, ReadsTheTextsAndSwitchesAsTyped) {
    const std::vector<tagTEMPLATEITEM> listed{named("系统模板"), named("模板1"), named("模板3")};
    TemplateForm form = goodForm();
    form.item.TempletID = 9;
    form.item.Sort = 4;
    form.item.DispCountNum = 2;
    const auto read = ReadTemplateForm(form, TemplateFormUse::Add, listed).item;
    ASSERT_TRUE(read);
    EXPECT_EQ(read->TempletName, "我的模板");
    EXPECT_EQ(read->SignName, "小明");
    EXPECT_EQ(read->Remark, "祝好运");
    EXPECT_TRUE(read->DispCode);
    EXPECT_TRUE(read->DispHitNow);
    EXPECT_FALSE(read->DispHit);
    EXPECT_EQ(read->TempletID, 0);
    EXPECT_EQ(read->Sort, 0);
    EXPECT_EQ(read->DispCountNum, 0);

    form.useUserName = true;
    form.item.TempletName = "系统模板";
    const auto renamed = ReadTemplateForm(form, TemplateFormUse::Add, listed).item;
    ASSERT_TRUE(renamed);
    EXPECT_EQ(renamed->TempletName, "模板2");
    EXPECT_EQ(renamed->SignName, "@USERNAME");
    EXPECT_EQ(NextTemplateName(std::vector<tagTEMPLATEITEM>{named("系统模板")}), "模板1");
}

TEST(TemplateForm, TemplatesDifferInAnythingButTheirId) {
    const tagTEMPLATEITEM base = formWith([](TemplateForm& f) { f.item.TempletID = 5; }).item;
    const std::pair<const char*, std::function<void(tagTEMPLATEITEM&)>> cases[] = {
        {"sort", [](tagTEMPLATEITEM& t) { t.Sort = 1; }},
        {"name", [](tagTEMPLATEITEM& t) { t.TempletName = "别的"; }},
        {"signature", [](tagTEMPLATEITEM& t) { t.SignName = "@USERNAME"; }},
        {"win", [](tagTEMPLATEITEM& t) { t.Win = "红"; }},
        {"loss", [](tagTEMPLATEITEM& t) { t.Loss = "黑"; }},
        {"wait", [](tagTEMPLATEITEM& t) { t.Wait = "等"; }},
        {"remark", [](tagTEMPLATEITEM& t) { t.Remark.clear(); }},
        {"a switch", [](tagTEMPLATEITEM& t) { t.DispProjectDown = true; }},
        {"the count", [](tagTEMPLATEITEM& t) { t.DispCountNum = 3; }},
    };
    for (const auto& [name, change] : cases) {
        tagTEMPLATEITEM other = base;
        change(other);
        EXPECT_TRUE(TemplatesDiffer(base, other)) << name;
    }
    tagTEMPLATEITEM uploaded = base;
    uploaded.TempletID = 77;
    EXPECT_FALSE(TemplatesDiffer(base, uploaded));
}

std::vector<std::string> names(const TemplateRows& rows) {
    std::vector<std::string> result;
    for (const auto& item : rows.rows())
        result.push_back(item.TempletName);
    return result;
}

TemplateRows threeOwn() {
    return TemplateRows({named("系统模板", 1), named("甲", 11), named("乙", 12), named("丙", 13)},
                        "乙");
}

TEST(TemplateRows, RowOperationsKeepTheSystemTemplateFirstAndTheTickOnItsTemplate) {
    struct Case {
        const char* name;
        std::function<void(TemplateRows&)> operation;
        std::vector<std::string> names;
        std::string chosen;
    };
    const Case cases[] = {
        {"remove the second of three own",
         [](TemplateRows& r) { r.remove({2}); },
         {"系统模板", "甲", "丙"},
         "系统模板"},
        {"remove all, the first included",
         [](TemplateRows& r) {
             r.remove({0, 1, 2, 3});
         },
         {"系统模板"},
         "系统模板"},
        {"remove rows before the ticked one",
         [](TemplateRows& r) { r.remove({1}); },
         {"系统模板", "乙", "丙"},
         "乙"},
        {"move the ticked row up",
         [](TemplateRows& r) { EXPECT_EQ(r.moveUp(2), 1); },
         {"系统模板", "乙", "甲", "丙"},
         "乙"},
        {"the first own row stays below the system template",
         [](TemplateRows& r) { EXPECT_EQ(r.moveUp(1), std::nullopt); },
         {"系统模板", "甲", "乙", "丙"},
         "乙"},
        {"move a row down past the ticked one",
         [](TemplateRows& r) { EXPECT_EQ(r.moveDown(1), 2); },
         {"系统模板", "乙", "甲", "丙"},
         "乙"},
        {"the last row and the system template stay",
         [](TemplateRows& r) {
             EXPECT_EQ(r.moveDown(3), std::nullopt);
             EXPECT_EQ(r.moveDown(0), std::nullopt);
         },
         {"系统模板", "甲", "乙", "丙"},
         "乙"},
        {"tick another row",
         [](TemplateRows& r) { r.tick(3); },
         {"系统模板", "甲", "乙", "丙"},
         "丙"},
    };
    for (const Case& c : cases) {
        TemplateRows rows = threeOwn();
        c.operation(rows);
        EXPECT_EQ(names(rows), c.names) << c.name;
        EXPECT_EQ(rows.result().chosenName, c.chosen) << c.name;
    }
}

}  // namespace
}  // namespace quorstat
