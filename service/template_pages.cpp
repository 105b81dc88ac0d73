#include "service/template_pages.h"

#include <fmt/format.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

#include "core/text_codec.h"
#include "service/page_error.h"
#include "service/reply_writer.h"
#include "service/router.h"
#include "service/service_context.h"
#include "service/tagged_record.h"

namespace quorstat::service {
namespace {

constexpr std::string_view kSystemTemplateName = "系统模板";
constexpr std::size_t kMaxShortTextBytes = 32;
constexpr std::size_t kMaxRemarkBytes = 512;

// The flags in the order of the template record, except that DispPosition closes the record.
constexpr std::array<std::string_view, 10> kFlagTags = {
    "DispCode",   "DispSuccessRatio",  "DispMultiple", "DispProjectDown", "DispIssueNum",
    "DispProfit", "DispProfitCollect", "DispHit",      "DispHitNow",      "DispPosition"};

struct TemplateContent {
    std::int64_t sort = 0;
    std::string name;
    std::string signName;
    std::string win;
    std::string loss;
    std::string wait;
    std::string remark;
    std::array<bool, kFlagTags.size()> flags{};
    std::int64_t countNum = 0;
};

struct StoredTemplate {
    std::int64_t id = 0;
    std::string ownerName;
    TemplateContent content;
};

constexpr std::string_view kSelect =
    "SELECT t.id, COALESCE(u.name, ''), t.sort, t.name, t.sign_name, t.win, t.loss, t.wait, "
    "t.remark, t.disp_code, t.disp_success_ratio, t.disp_multiple, t.disp_project_down, "
    "t.disp_issue_num, t.disp_profit, t.disp_profit_collect, t.disp_hit, t.disp_hit_now, "
    "t.disp_position, t.disp_count_num FROM templates t LEFT JOIN users u ON u.id = t.owner_id ";

// Parameters ?2 to ?19 hold the content, in the order bindContent binds them.
constexpr std::string_view kInsert =
    "INSERT INTO templates (owner_id, sort, name, sign_name, win, loss, wait, remark, disp_code, "
    "disp_success_ratio, disp_multiple, disp_project_down, disp_issue_num, disp_profit, "
    "disp_profit_collect, disp_hit, disp_hit_now, disp_position, disp_count_num) "
    "VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, ?12, ?13, ?14, ?15, ?16, ?17, ?18, ?19)";
constexpr std::string_view kUpdate =
    "UPDATE templates SET sort = ?2, name = ?3, sign_name = ?4, win = ?5, loss = ?6, wait = ?7, "
    "remark = ?8, disp_code = ?9, disp_success_ratio = ?10, disp_multiple = ?11, "
    "disp_project_down = ?12, disp_issue_num = ?13, disp_profit = ?14, disp_profit_collect = ?15, "
    "disp_hit = ?16, disp_hit_now = ?17, disp_position = ?18, disp_count_num = ?19 WHERE id = ?1";

void bindContent(Statement& statement, const TemplateContent& content) {
    const std::string_view texts[] = {content.name, content.signName, content.win,
                                      content.loss, content.wait,     content.remark};
    statement.bind(2, content.sort);
    for (std::size_t i = 0; i < std::size(texts); ++i)
        statement.bind(3 + static_cast<int>(i), texts[i]);
    for (std::size_t i = 0; i < content.flags.size(); ++i)
        statement.bind(9 + static_cast<int>(i), content.flags[i]);
    statement.bind(19, content.countNum);
}

StoredTemplate readRow(const Statement& row) {
    StoredTemplate stored{row.integer(0), row.text(1), {}};
    TemplateContent& content = stored.content;
    content.sort = row.integer(2);
    content.name = row.text(3);
    content.signName = row.text(4);
    content.win = row.text(5);
    content.loss = row.text(6);
    content.wait = row.text(7);
    content.remark = row.text(8);
    for (std::size_t i = 0; i < content.flags.size(); ++i)
        content.flags[i] = row.integer(9 + static_cast<int>(i)) != 0;
    content.countNum = row.integer(19);
    return stored;
}

std::vector<StoredTemplate> readAll(Statement statement) {
    std::vector<StoredTemplate> templates;
    while (statement.step())
        templates.push_back(readRow(statement));
    return templates;
}

std::string recordOf(const StoredTemplate& stored, bool inUse) {
    const TemplateContent& content = stored.content;
    TaggedRecord record;
    record.add("TempletID", stored.id)
        .add("Sort", content.sort)
        .add("UserName", stored.ownerName)
        .add("TempletName", content.name)
        .add("SignName", content.signName)
        .add("Win", content.win)
        .add("Loss", content.loss)
        .add("Wait", content.wait)
        .add("Remark", content.remark);
    for (std::size_t i = 0; i + 1 < kFlagTags.size(); ++i)
        record.flag(kFlagTags[i], content.flags[i]);
    record.flag("DispLotteryName", true)
        .flag("TempletStatus", inUse)
        .add("DispCountNum", content.countNum)
        .flag(kFlagTags.back(), content.flags.back());
    return record.text();
}

bool hasControlCharacter(std::string_view text) {
    return std::any_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; });
}

// Texts go into "|"-separated records of "$"-separated lists, so neither may appear in them, and
// the client's records hold one line each.
std::string readText(const FormBody& form, std::string_view tag, std::size_t minBytes,
                     std::size_t maxBytes, std::string_view caption) {
    const std::string_view text = form.required(tag);
    if (text.find_first_of("|$") != std::string_view::npos)
        throw PageError(fmt::format("{}不能包含竖线“｜”或“$”", caption));
    if (hasControlCharacter(text))
        throw PageError(fmt::format("{}不能包含换行符等控制字符", caption));
    const std::size_t bytes = AnsiLength(text);
    if (bytes < minBytes)
        throw PageError(fmt::format("没有输入{}", caption));
    if (bytes > maxBytes)
        throw PageError(fmt::format("{}超长", caption));
    return std::string(text);
}

bool readFlag(const FormBody& form, std::string_view tag) {
    const std::string_view value = form.required(tag);
    if (value == "True" || value == "true" || value == "1")
        return true;
    if (value == "False" || value == "false" || value == "0" || value.empty())
        return false;
    throw PageError(fmt::format("字段“{}”的值不正确", tag));
}

TemplateContent readContent(const FormBody& form) {
    TemplateContent content;
    content.name = readText(form, "TempletName", 1, kMaxShortTextBytes, "模板名称");
    content.signName = readText(form, "SignName", 0, kMaxShortTextBytes, "签名");
    content.win = readText(form, "Win", 1, kMaxShortTextBytes, "“中”名称");
    content.loss = readText(form, "Loss", 1, kMaxShortTextBytes, "“挂”名称");
    if (content.win == content.loss)
        throw PageError("\"中\"和\"挂\"不能使用相同的名称");
    content.wait = readText(form, "Wait", 1, kMaxShortTextBytes, "“等待”名称");
    content.remark = readText(form, "Remark", 0, kMaxRemarkBytes, "备注");
    for (std::size_t i = 0; i < kFlagTags.size(); ++i)
        content.flags[i] = readFlag(form, kFlagTags[i]);
    content.countNum = form.requiredInteger("DispCountNum", 0, INT32_MAX);
    content.sort = form.requiredInteger("Sort", 0, INT32_MAX);
    if (!parseDateTime(form.required("ModifyTime")))
        throw PageError("字段“ModifyTime”的值不正确");
    return content;
}

// Lists, uploads, deletions and choices act on the caller's own templates only.
void checkOwnName(const PageRequest& request) {
    if (request.form.required("sUserName") != request.user->name)
        throw PageError("不能操作其他用户的模板");
}

// Clients tell the system template by its name.
void checkOwnTemplateName(const std::string& name) {
    if (name.find(kSystemTemplateName) != std::string::npos)
        throw PageError("不能包含系统模板名称");
}

std::int64_t readTemplateId(const PageRequest& request) {
    return request.form.requiredInteger("TempletID", 0, INT32_MAX);
}

}  // namespace

void TemplatePages::addTo(Router& router) {
    router.addPage("BetTempletList.asp", Router::Access::Session, this, &TemplatePages::list);
    router.addPage("BetTempletUp.asp", Router::Access::Session, this, &TemplatePages::upload);
    router.addPage("BetTempletDelete.asp", Router::Access::Session, this, &TemplatePages::remove);
    router.addPage("BetTempletChange.asp", Router::Access::Session, this, &TemplatePages::change);
    router.addPage("BetTempletDetail.asp", Router::Access::Session, this, &TemplatePages::detail);
}

// 1|COUNT|STAMP|TEMPLATE$TEMPLATE$..., the system template first; 2| when the stamp sent back
// is the list's stamp.
std::string TemplatePages::list(const PageRequest& request) {
    checkOwnName(request);
    const std::int64_t userId = request.user->id;
    const std::string stamp = listStamp(userId);
    const std::string_view seen = request.form.required("LastModifyTime");
    if (!seen.empty() && seen == stamp)
        return ReplyWriter('2').field("").text();
    const std::vector<StoredTemplate> templates = readAll(
        context_.db.query(std::string(kSelect) + "WHERE t.owner_id IS NULL OR t.owner_id = ?1 "
                                                 "ORDER BY t.owner_id IS NOT NULL, t.sort, t.id",
                          userId));
    const std::int64_t inUse = templateInUse(userId);
    std::string records;
    for (const StoredTemplate& stored : templates) {
        if (!records.empty())
            records += '$';
        records += recordOf(stored, stored.id == inUse);
    }
    return ReplyWriter('1')
        .field(static_cast<std::int64_t>(templates.size()))
        .field(stamp)
        .field(records)
        .text();
}

// "TempletID" 0 adds a template, any other id changes that one. 1|ID
std::string TemplatePages::upload(const PageRequest& request) {
    checkOwnName(request);
    std::int64_t templateId = readTemplateId(request);
    if (templateId == 0)
        templateId = create(request);
    else
        update(request, templateId);
    return ReplyWriter('1').field(templateId).text();
}

std::string TemplatePages::remove(const PageRequest& request) {
    checkOwnName(request);
    const std::int64_t templateId = readTemplateId(request);
    const std::int64_t owner = ownerOf(templateId);
    if (owner == 0)
        throw PageError("不能删除系统模板");
    if (owner != request.user->id)
        throw PageError("模板不存在");
    context_.db.query("DELETE FROM templates WHERE id = ?1", templateId).run();
    touchList(owner, request.now);
    return ReplyWriter('1').text();
}

std::string TemplatePages::change(const PageRequest& request) {
    checkOwnName(request);
    const std::int64_t templateId = readTemplateId(request);
    const std::int64_t owner = ownerOf(templateId);
    if (owner != 0 && owner != request.user->id)
        throw PageError("模板不存在");
    context_.db
        .query("UPDATE users SET current_template_id = ?1 WHERE id = ?2", templateId,
               request.user->id)
        .run();
    touchList(request.user->id, request.now);
    return ReplyWriter('1').text();
}

// 1|TEMPLATE: the template another user has in use.
std::string TemplatePages::detail(const PageRequest& request) {
    const std::optional<UserRecord> owner =
        context_.accounts.findUser(request.form.required("sUserName"));
    if (!owner)
        throw PageError("用户不存在");
    const std::vector<StoredTemplate> templates = readAll(
        context_.db.query(std::string(kSelect) + "WHERE t.id = ?1", templateInUse(owner->id)));
    if (templates.empty())
        throw PageError("模板不存在");
    return ReplyWriter('1').field(recordOf(templates.front(), true)).text();
}

std::int64_t TemplatePages::create(const PageRequest& request) {
    const std::int64_t userId = request.user->id;
    const TemplateContent content = readContent(request.form);
    checkOwnTemplateName(content.name);
    Statement count =
        context_.db.query("SELECT COUNT(*) FROM templates WHERE owner_id = ?1", userId);
    count.step();
    if (count.integer(0) >= kMaxOwnTemplates)
        throw PageError(fmt::format("除系统模板外，用户最多可以添加{}个模板", kMaxOwnTemplates));
    checkNameFree(userId, content.name, 0);
    Statement insert = context_.db.query(kInsert);
    bindContent(insert, content);
    insert.bind(1, userId).run();
    const std::int64_t templateId = context_.db.lastInsertId();
    touchList(userId, request.now);
    return templateId;
}

// The system template keeps sort key 0 so that every client lists it first.
void TemplatePages::update(const PageRequest& request, std::int64_t templateId) {
    const std::int64_t owner = ownerOf(templateId);
    TemplateContent content = readContent(request.form);
    if (owner == 0) {
        if (!request.user->manager)
            throw PageError("只有管理员可以修改系统模板");
        content.sort = 0;
    } else if (owner != request.user->id) {
        throw PageError("模板不存在");
    } else {
        checkOwnTemplateName(content.name);
        checkNameFree(owner, content.name, templateId);
    }
    Statement statement = context_.db.query(kUpdate);
    bindContent(statement, content);
    statement.bind(1, templateId).run();
    touchList(owner, request.now);
}

std::int64_t TemplatePages::ownerOf(std::int64_t templateId) {
    Statement row =
        context_.db.query("SELECT COALESCE(owner_id, 0) FROM templates WHERE id = ?1", templateId);
    if (!row.step())
        throw PageError("模板不存在");
    return row.integer(0);
}

void TemplatePages::checkNameFree(std::int64_t userId, const std::string& name,
                                  std::int64_t exceptId) {
    Statement row =
        context_.db.query("SELECT 1 FROM templates WHERE owner_id = ?1 AND name = ?2 AND id != ?3",
                          userId, name, exceptId);
    if (row.step())
        throw PageError("存在一个重名的模板");
}

std::int64_t TemplatePages::templateInUse(std::int64_t userId) {
    Statement row = context_.db.query(
        "SELECT COALESCE(current_template_id, (SELECT id FROM templates WHERE owner_id IS NULL)) "
        "FROM users WHERE id = ?1",
        userId);
    row.step();
    return row.integer(0);
}

// The newer of the system template's stamp and the user's own.
std::string TemplatePages::listStamp(std::int64_t userId) {
    Statement row = context_.db.query(
        "SELECT MAX((SELECT value FROM meta WHERE key = 'system_templates_stamp'), "
        "(SELECT templates_stamp FROM users WHERE id = ?1))",
        userId);
    row.step();
    return row.text(0);
}

// Owner 0 is the system template, which is in every user's list.
void TemplatePages::touchList(std::int64_t ownerId, CivilSeconds now) {
    const std::string stamp = context_.stamps.next(now);
    if (ownerId == 0)
        context_.db.query("UPDATE meta SET value = ?1 WHERE key = 'system_templates_stamp'", stamp)
            .run();
    else
        context_.db.query("UPDATE users SET templates_stamp = ?1 WHERE id = ?2", stamp, ownerId)
            .run();
}

}  // namespace quorstat::service
