#pragma once

#include <cstddef>
#include <cstdint>
#include <ctime>
#include <string>
#include <string_view>
#include <vector>

#include "databox/data_box.h"
#include "net/plan_record.h"
#include "ui/grid_content.h"

namespace quorstat {

// Columns of the own-plan list.
enum OwnPlanColumn : std::size_t {
    kPlanRowNumber,
    kPlanIssues,
    kPlanStar,
    kPlanKind,
    kPlanPositions,
    kPlanIssueCount,
    kPlanMultiples,
    kPlanBets,
    kPlanDrawCode,
    kPlanState,
    kPlanStake,
    kPlanPrize,
    kPlanProfit,
    kPlanDetail,
    kPlanAction,
    kPlanColumnCount
};

struct OwnPlanGridContext {
    int lotteryId = 0;
    int currentIssue = 0;   // the issue open for betting
    bool fiveStar = false;  // the play has no positions to name
    int currentPage = 1;
    int pageSize = 0;
};

// One row per plan, in the reply's order, numbered downwards across pages.
GridContent OwnPlanGrid(const std::vector<tagPLANITEM>& plans, const OwnPlanGridContext& context);

// Another user's plans: the same rows without the 操作 column, which only the owner may use.
GridContent SharedPlanGrid(const std::vector<tagPLANITEM>& plans,
                           const OwnPlanGridContext& context);

// The 操作 link of a plan: "删除" for a waiting plan whose first issue is still open, "停止" for
// one past its first draw, else nothing.
std::string_view PlanActionLink(const tagPLANITEM& plan, int currentIssue);

// A waiting plan past its first draw can be stopped; one not yet drawn can be deleted.
bool CanStopPlan(const tagPLANITEM& plan);
bool CanDeletePlan(const tagPLANITEM& plan);

// The context menu's stop and delete items: each only when every selected plan allows it.
struct OwnPlanMenuItems {
    bool stop = false;
    bool remove = false;
};
OwnPlanMenuItems MenuItemsFor(const std::vector<tagPLANITEM>& plans,
                              const std::vector<std::size_t>& records);

// The ids of the selected plans that the bulk stop or delete sends.
std::vector<std::int32_t> PlansToStop(const std::vector<tagPLANITEM>& plans,
                                      const std::vector<std::size_t>& records);
std::vector<std::int32_t> PlansToDelete(const std::vector<tagPLANITEM>& plans,
                                        const std::vector<std::size_t>& records);

// The selected plans as the big-base box takes them.
std::vector<BoxUser> PlansForBigBase(const std::vector<tagPLANITEM>& plans,
                                     const std::vector<std::size_t>& records,
                                     std::string_view userName, std::int32_t userId);

// "2013-05-01-重庆时时彩三星直选-demo-方案列表": the export's proposed name, dated by the server.
std::string OwnPlanExportName(std::time_t serverTime, std::string_view lotteryName,
                              std::string_view starName, std::string_view kindName,
                              std::string_view userName);

}  // namespace quorstat
