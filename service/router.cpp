#include "service/router.h"

#include <fmt/format.h>

#include <optional>

#include "core/text_codec.h"
#include "service/base64.h"
#include "service/gbk_text.h"
#include "service/page_error.h"
#include "service/reply_writer.h"
#include "service/service_context.h"

namespace quorstat::service {
namespace {

// "VF" is the Base64 form of "Ontime"; both come with every request.
void checkTimeToken(const FormBody& form) {
    const std::string_view time = form.required("Ontime");
    const std::optional<std::string> decoded = base64Decode(form.required("VF"));
    if (!decoded || *decoded != time || !parseDateTime(time))
        throw PageError("时间校验失败");
}

std::string refusal(SessionState state) {
    switch (state) {
        case SessionState::TakenOver:
            return ReplyWriter::sessionEnded("您的帐号已在其他地方登录，请重新登录");
        case SessionState::LoggedOut:
            return ReplyWriter::sessionEnded("您已注销登录，请重新登录");
        case SessionState::TimedOut:
            return ReplyWriter::sessionEnded("登录已超时，请重新登录");
        case SessionState::Active:
        case SessionState::Unknown:
            break;
    }
    return ReplyWriter::failure("登录信息无效，请重新登录");
}

}  // namespace

void Router::addPage(std::string name, Access access, Handler handler) {
    routes_.insert_or_assign(std::move(name), Route{access, std::move(handler), nullptr});
}

void Router::addUnlockedPage(std::string name, UnlockedHandler handler) {
    routes_.insert_or_assign(std::move(name), Route{Access::Public, nullptr, std::move(handler)});
}

std::string Router::answer(std::string_view page, std::string_view body, std::string_view peer) {
    const auto route = routes_.find(page);
    if (route == routes_.end())
        return ToAnsi(ReplyWriter::failure("请求的页面不存在"));
    const std::optional<std::string> text = decodeGbkStrict(body);
    if (!text)
        return ToAnsi(ReplyWriter::failure("请求数据含有无效的字符"));
    const FormBody form(*text);
    try {
        checkTimeToken(form);
        if (route->second.unlocked)
            return ToAnsi(route->second.unlocked(form, peer));
        std::lock_guard lock(context_.lock);
        return ToAnsi(run(route->second, form));
    } catch (const PageError& error) {
        return ToAnsi(ReplyWriter::failure(error.what()));
    } catch (const std::exception& error) {
        fmt::print(stderr, "quorstat-service: {}\n", error.what());
        return ToAnsi(ReplyWriter::failure("服务器内部错误，请稍后再试"));
    }
}

std::string Router::run(const Route& route, const FormBody& form) {
    const CivilSeconds now = context_.clock.now();
    context_.catchUp(now);
    Database::Transaction transaction(context_.db);
    std::optional<SessionUser> user;
    if (route.access == Access::Session) {
        SessionCheck session =
            context_.accounts.check(form.required("UserName"), form.required("OnLogin"));
        if (session.state != SessionState::Active) {
            transaction.commit();
            return refusal(session.state);
        }
        user = std::move(session.user);
    }
    std::string reply = route.handler(PageRequest{form, user ? &*user : nullptr, now});
    transaction.commit();
    return reply;
}

}  // namespace quorstat::service
