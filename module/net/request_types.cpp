#include "net/request_types.h"

#include <array>

namespace quorstat {
namespace {

struct TypeEntry {
    std::string_view page;
    std::string_view progress;
};

constexpr std::array<TypeEntry, 42> kTypes{{
    {},
    {"BetUserLogin.asp", "正在登录服务器"},
    {"BetUserLogout.asp", "正在注销用户"},
    {"BetFlashTime.asp", "正在更新服务器时间"},
    {"BetFlashLotteryTime.asp", "正在更新开奖时间"},
    {"BetLotteryData.asp", "正在更新开奖号码"},
    {"BetLotteryData.asp", "正在更新历史号码"},
    {"BetPlanInfoUp.asp", "正在上传方案"},
    {"BetPlanList.asp", "正在更新方案列表"},
    {"BetPlanList.asp", "正在更新方案列表"},
    {"BetUserInfoList.asp", "正在更新用户列表"},
    {},
    {},
    {"BetPlanCancel.asp", "正在停止方案"},
    {"BetPlanDelete.asp", "正在删除方案"},
    {"BetPlanReset.asp", "正在清空方案"},
    {"BetPlanDetail.asp", "正在更新方案详情"},
    {"BetPlanDetail.asp", "正在更新方案详情"},
    {"BetPlanDetail.asp", "正在更新方案详情"},
    {"BetPlanShare.asp", "正在更新分享状态"},
    {"BetPlanShare.asp", "正在更新分享状态"},
    {"BetAttentionUser.asp", "正在关注用户"},
    {"BetTempletList.asp", "正在更新模板列表"},
    {"BetTempletUp.asp", "正在上传模板"},
    {"BetTempletUp.asp", "正在上传模板"},
    {"BetTempletDelete.asp", "正在删除模板"},
    {"BetTempletChange.asp", "正在更新使用模板"},
    {"BetTempletDetail.asp", "正在更新模板详情"},
    {"BetTOP100Rank.asp", "正在更新排行榜"},
    {"BetTOP100Online.asp", "正在更新排行榜"},
    {"BetTOP100Fans.asp", "正在更新排行榜"},
    {"BetAttentionUser.asp", "正在关注用户"},
    {"BetPlanContext.asp", "正在获取方案内容"},
    {"BetPlanContext.asp", "正在获取方案内容"},
    {"BetPlanContext.asp", "正在获取方案内容"},
    {"BetPlanStatus.asp", "正在获取方案状态"},
    {"BetPlanStatus.asp", "正在获取方案状态"},
    {"BetGetUserInfoID.asp", "正在获取用户ID"},
    {"BetSetup.asp", "正在获取QQ窗口名称"},
    {"BetSetup.asp", "正在获取QQ窗口名称"},
    {"BetSetup.asp", "正在获取系统时间设置"},
    {"BetSetup.asp", "正在获取系统时间设置"},
}};

const TypeEntry& entry(int type) {
    static constexpr TypeEntry none{};
    if (type < 0 || static_cast<std::size_t>(type) >= kTypes.size())
        return none;
    return kTypes[static_cast<std::size_t>(type)];
}

}  // namespace

std::string_view RequestPage(int type) {
    return entry(type).page;
}

std::string_view RequestProgressText(int type) {
    return entry(type).progress;
}

}  // namespace quorstat
