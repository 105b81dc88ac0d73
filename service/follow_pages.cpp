#include "service/follow_pages.h"

#include <fmt/format.h>

#include <cstdint>

#include "service/lottery_scope.h"
#include "service/page_error.h"
#include "service/reply_writer.h"
#include "service/router.h"
#include "service/service_context.h"

namespace quorstat::service {
namespace {

enum AttentionAct { kUnfollow = 0, kFollow = 1, kCounts = 2 };

}  // namespace

void FollowPages::addTo(Router& router) {
    router.addPage("BetAttentionUser.asp", Router::Access::Session, this, &FollowPages::attention);
}

std::string FollowPages::attention(const PageRequest& request) {
    readLotteryScope(request.form, context_.calendar);
    const auto act = request.form.requiredInteger("AttentionAct", kUnfollow, kCounts);
    if (act != kCounts)
        setFollowing(request, act == kFollow);
    return counts(request.user->id);
}

// "UserInfoID" may be 0 when the client does not know the id; a wrong one is refused.
void FollowPages::setFollowing(const PageRequest& request, bool follow) {
    const std::optional<UserRecord> target =
        context_.accounts.findUser(request.form.required("AttenUserName"));
    const auto targetId = request.form.requiredInteger("UserInfoID", 0, INT32_MAX);
    if (!target || (targetId != 0 && targetId != target->id))
        throw PageError("用户不存在");
    if (target->id == request.user->id)
        throw PageError("不能关注自己");
    if (follow)
        context_.db
            .query(
                "INSERT OR IGNORE INTO follows (follower_id, followee_id, followed_at) "
                "VALUES (?1, ?2, ?3)",
                request.user->id, target->id, request.now)
            .run();
    else
        context_.db
            .query("DELETE FROM follows WHERE follower_id = ?1 AND followee_id = ?2",
                   request.user->id, target->id)
            .run();
    // Both users' lists show the follow: the follower's marks, the followee's followers.
    context_.db
        .query("UPDATE users SET follows_stamp = ?3 WHERE id IN (?1, ?2)", request.user->id,
               target->id, context_.stamps.next(request.now))
        .run();
}

// 1|Atten=FOLLOWED|Fans=FOLLOWERS
std::string FollowPages::counts(std::int64_t userId) {
    Statement row = context_.db.query(
        "SELECT (SELECT COUNT(*) FROM follows WHERE follower_id = ?1), "
        "(SELECT COUNT(*) FROM follows WHERE followee_id = ?1)",
        userId);
    row.step();
    return ReplyWriter('1')
        .field(fmt::format("Atten={}", row.integer(0)))
        .field(fmt::format("Fans={}", row.integer(1)))
        .text();
}

}  // namespace quorstat::service
