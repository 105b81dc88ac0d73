#include "service/account_pages.h"

#include <fmt/format.h>

#include "service/client_version.h"
#include "service/lottery_scope.h"
#include "service/page_error.h"
#include "service/reply_writer.h"
#include "service/router.h"
#include "service/service_context.h"

namespace quorstat::service {

void AccountPages::addTo(Router& router) {
    router.addUnlockedPage("BetUserLogin.asp", [this](const FormBody& form, std::string_view peer) {
        return login(form, peer);
    });
    router.addPage("BetUserLogout.asp", Router::Access::Session, this, &AccountPages::logout);
    router.addPage("BetGetUserInfoID.asp", Router::Access::Session, this, &AccountPages::userId);
}

// 1|TOKEN|USER ID|PAIRS; a second login of the same user ends the first session. The password is
// checked without the lock: the slow hash would hold up every other request.
std::string AccountPages::login(const FormBody& form, std::string_view peer) {
    const std::string_view name = form.required("Username");
    const std::string_view passwordDigest = form.required("Password");
    readClientVersion(form);
    const Candidate candidate = context_.exclusive([&] { return admit(name, peer); });
    const bool matches = PasswordHasher::verify(
        passwordDigest, candidate.user ? candidate.passwordHash : context_.passwords.decoy());
    if (!candidate.user || !matches)
        return ReplyWriter::failure("用户名或密码错误");
    return context_.exclusive([&] { return welcome(*candidate.user, peer); });
}

AccountPages::Candidate AccountPages::admit(std::string_view name, std::string_view peer) {
    const std::int64_t now = context_.clock.realMillis();
    const std::int64_t wait = context_.loginThrottle.waitMillis(name, peer, now);
    if (wait > 0)
        throw PageError(fmt::format("登录失败次数过多，请{}秒后再试", (wait + 999) / 1000));
    context_.loginThrottle.countAttempt(name, peer, now);
    Candidate candidate{context_.accounts.findUser(name), {}};
    if (candidate.user)
        candidate.passwordHash = context_.accounts.passwordHash(candidate.user->id);
    return candidate;
}

std::string AccountPages::welcome(const UserRecord& user, std::string_view peer) {
    context_.loginThrottle.succeeded(user.name, peer);
    const SessionUser session = context_.accounts.openSession(user);
    return ReplyWriter('1')
        .field(session.token)
        .field(user.id)
        .field(fmt::format("PGpMsgTail={}&CGpMsgTail={}&CGpMsgTailNo={}&DM={}", user.planTail,
                           user.customTail, user.customTailShort, user.manager ? 1 : 0))
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
