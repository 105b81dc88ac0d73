#include "service/setup_pages.h"

#include <fmt/format.h>

#include <algorithm>
#include <charconv>
#include <set>

#include "core/text_codec.h"
#include "service/page_error.h"
#include "service/reply_writer.h"
#include "service/router.h"
#include "service/service_context.h"
#include "service/tagged_record.h"

namespace quorstat::service {
namespace {

enum SetupAct { kRead = 0, kWrite = 2 };

constexpr std::size_t kMaxWindowFilterBytes = 4000;

struct IntervalRange {
    std::string_view key;
    int min;
    int max;
};

// Seconds, except RefTopHtml in minutes; the ranges of the interval editor.
constexpr IntervalRange kIntervals[] = {
    {"RefServerTime", 20, 60},        {"RefBetNum", 10, 30},     {"RefUserList", 30, 60},
    {"RefPlanList", 15, 60},          {"RefFansCount", 60, 180}, {"RefTopHtml", 5, 30},
    {"RefOwnPlanAfterBetNum", 5, 20},
};

// "KEY=NUMBER#" for every interval, each once and within its range: a client takes these as
// its refresh timers, so a bad value would make every client hammer the service.
void checkIntervals(std::string_view value) {
    std::set<std::string_view> seen;
    while (!value.empty()) {
        const std::size_t end = std::min(value.find('#'), value.size());
        const std::string_view item = value.substr(0, end);
        value.remove_prefix(std::min(end + 1, value.size()));
        if (item.empty())
            continue;
        const std::size_t equals = item.find('=');
        const std::string_view key = item.substr(0, equals);
        const std::string_view number =
            equals == std::string_view::npos ? std::string_view() : item.substr(equals + 1);
        int seconds = 0;
        const auto [last, error] =
            std::from_chars(number.data(), number.data() + number.size(), seconds);
        const auto range = std::find_if(std::begin(kIntervals), std::end(kIntervals),
                                        [key](const IntervalRange& r) { return r.key == key; });
        if (range == std::end(kIntervals) || number.empty() || error != std::errc() ||
            last != number.data() + number.size() || seconds < range->min || seconds > range->max ||
            !seen.insert(key).second)
            throw PageError("设置不正确");
    }
    if (seen.size() != std::size(kIntervals))
        throw PageError("设置不正确");
}

// Window titles separated by "#"; the record separator would break the reply.
void checkWindowFilter(std::string_view value) {
    if (value.find('|') != std::string_view::npos)
        throw PageError("窗口名称不能包含竖线“｜”");
    if (AnsiLength(value) > kMaxWindowFilterBytes)
        throw PageError("设置内容超长");
}

struct SetupKind {
    std::string_view name;
    std::string_view remark;
    void (*check)(std::string_view value);
};

constexpr SetupKind kSetups[] = {
    {"QQWndFilter", "QQ群发窗口筛选", checkWindowFilter},
    {"SystemTimeInterval", "系统时间间隔", checkIntervals},
};

const SetupKind& setupKind(std::string_view name) {
    for (const SetupKind& kind : kSetups)
        if (kind.name == name)
            return kind;
    throw PageError("设置名称不正确");
}

}  // namespace

void SetupPages::addTo(Router& router) {
    router.addPage("BetSetup.asp", Router::Access::Session, this, &SetupPages::setup);
}

std::string SetupPages::setup(const PageRequest& request) {
    const auto act = request.form.requiredInteger("Act", kRead, kWrite);
    const std::string_view name = setupKind(request.form.required("Name")).name;
    if (act == kRead)
        return read(request, name);
    if (act == kWrite)
        return write(request, name);
    throw PageError("字段“Act”的值不正确");
}

// 1|SetUp=VALUE|ModifyTime=STAMP|Remark=TEXT|Allow=0 or 1|, or 2| when the stamp sent back is
// the setting's stamp.
std::string SetupPages::read(const PageRequest& request, std::string_view name) {
    const std::string_view seen = request.form.required("ModifyTime");
    Statement row =
        context_.db.query("SELECT value, modify_time FROM setups WHERE name = ?1", name);
    if (!row.step())
        throw PageError("设置不存在");
    if (!seen.empty() && seen == row.text(1))
        return ReplyWriter('2').field("").text();
    TaggedRecord record;
    record.add("SetUp", row.text(0))
        .add("ModifyTime", row.text(1))
        .add("Remark", setupKind(name).remark)
        .add("Allow", request.user->manager ? 1 : 0);
    return ReplyWriter('1').field(record.text()).text();
}

std::string SetupPages::write(const PageRequest& request, std::string_view name) {
    if (!request.user->manager)
        throw PageError("没有管理权限");
    // The stamp a write sends is the client's clock; the service stamps with its own.
    request.form.required("ModifyTime");
    const std::string_view value = request.form.required("SetUp");
    setupKind(name).check(value);
    context_.db
        .query("UPDATE setups SET value = ?1, modify_time = ?2 WHERE name = ?3", value,
               context_.stamps.next(request.now), name)
        .run();
    return ReplyWriter('1').text();
}

}  // namespace quorstat::service
