#include "service/account_pages.h"

#include <fmt/format.h>

#include "service/client_version.h"
#include "service/lottery_scope.h"
#include "service/reply_writer.h"
#include "service/router.h"
#include "service/service_context.h"

namespace quorstat::service {

void AccountPages::addTo(Router& router) {
    router.addPage("BetUserLogin.asp", Router::Access::Public, this, &AccountPages::login);
    router.addPage("BetUserLogout.asp", Router::Access::Session, this, &AccountPages::logout);
    router.addPage("BetGetUserInfoID.asp", Router::Access::Session, this, &AccountPages::userId);
}

// 1|TOKEN|USER ID|PAIRS; a second login of the same user ends the first session.
std::string AccountPages::login(const PageRequest& request) {
    const std::string_view name = request.form.required("Username");
    const std::string_view passwordDigest = request.form.required("Password");
    readClientVersion(request.form);
    const std::optional<UserRecord> user = context_.accounts.findUser(name);
    const std::optional<SessionUser> session =
        user ? context_.accounts.login(*user, passwordDigest) : std::nullopt;
    if (!session)
        return ReplyWriter::failure("用户名或密码错误");
    return ReplyWriter('1')
        .field(session->token)
        .field(user->id)
        .field(fmt::format("PGpMsgTail={}&CGpMsgTail={}&CGpMsgTailNo={}&DM={}", user->planTail,
                           user->customTail, user->customTailShort, user->manager ? 1 : 0))
        .text();
}

std::string AccountPages::logout(const PageRequest& request) {
    context_.accounts.logout(*request.user);
    return ReplyWriter('1').field("已注销").text();
}

std::string AccountPages::userId(const PageRequest& request) {
    readLotteryScope(request.form, context_.calendar);
    return ReplyWriter('1').field(request.user->id).text();
}

}  // namespace quorstat::service
