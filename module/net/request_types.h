#pragma once

#include <string_view>

namespace quorstat {

// The number of each kind of exchange with the service; 11 and 12 are not used.
namespace RequestType {
enum : int {
    Login = 1,
    Logout = 2,
    ServerTime = 3,
    DrawTimes = 4,
    DrawNumbers = 5,
    DrawHistory = 6,
    PlanUpload = 7,
    OwnPlanList = 8,
    SharedPlanList = 9,
    UserList = 10,
    PlanCancel = 13,
    PlanDelete = 14,
    PlanReset = 15,
    PlanDetailView = 16,
    PlanDetailCopy = 17,
    PlanDetailToBigBase = 18,
    ShareRead = 19,
    ShareSet = 20,
    Follow = 21,
    TemplateList = 22,
    TemplateAdd = 23,
    TemplateChange = 24,
    TemplateDelete = 25,
    TemplateSelect = 26,
    TemplateDetail = 27,
    RankingPoints = 28,
    RankingOnline = 29,
    RankingFans = 30,
    FollowCounts = 31,
    PlanContentToPlanBox = 32,
    PlanContentToBigBase = 33,
    PlanPositions = 34,
    PlanStatesByUsers = 35,
    PlanStateByPlan = 36,
    UserInfoId = 37,
    WindowFilterRead = 38,
    WindowFilterWrite = 39,
    IntervalsRead = 40,
    IntervalsWrite = 41,
};
}  // namespace RequestType

// The service page of a type; empty for a type outside the table.
std::string_view RequestPage(int type);
// What the login dialog shows while the request is under way; empty for a type outside the table.
std::string_view RequestProgressText(int type);

}  // namespace quorstat
