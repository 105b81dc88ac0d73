#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "databox/box_evaluation.h"
#include "databox/box_file.h"
#include "databox/box_kind.h"
#include "databox/box_replies.h"
#include "databox/plan_bigp_data.h"
#include "databox/work_progress.h"
#include "net/plan_record.h"
#include "plan/play_state.h"

namespace quorstat {

// A plan or user sent into a box (from the user list, the shared plans or the own plans).
struct BoxUser {
    std::string name;
    std::int32_t userId = 0;
    std::int32_t planId = 0;  // 0 when not known
    std::int32_t sharing = 1;
};

// A request the box needs sent; the window builds it with RequestCatalogue and queues it.
struct BoxRequest {
    int type =
        0;  // a RequestType from PlanDetailToBigBase and PlanContentToPlanBox..PlanStateByPlan
    std::int32_t userId = 0;  // plan contents by user
    std::int32_t planId = 0;  // PlanDetailToBigBase
    std::string userName;     // PlanDetailToBigBase
    std::string ids;          // plan states: comma-separated user ids, or one plan id
    std::int32_t issue = 0;
};

// What the window does after a step of the box, in this order: show `message` in a message box
// (caption "提示信息"), queue the requests, handle the waiting prompt (shown over the disabled
// console and box), redraw the list, write the temporary file, and compute. A computation is
// announced with the prompt "正在计算交集，请稍候...", which the window closes when the result is
// in.
struct BoxStep {
    enum class Prompt { keep, show, close, closeAfterSecond };

    std::string message;
    std::vector<BoxRequest> requests;
    Prompt prompt = Prompt::keep;
    std::string promptText;  // for show and closeAfterSecond
    bool redraw = false;
    bool save = false;
    bool compute = false;
};

// One box of the data box window without its widgets: the tree, the lottery and play it was
// loaded for, its temporary file, and the exchanges with the service that fill and verify it.
class DataBox {
public:
    // A box inside the group editor (`main` false) has no temporary file of its own.
    DataBox(BoxKind kind, std::filesystem::path dataDir, bool main = true);

    BoxKind kind() const { return kind_; }
    bool main() const { return main_; }
    const PlayState& play() const { return play_; }
    BoxScope scope() const { return {kind_, play_.lotteryId, play_.playId}; }
    tagPLANBIGPDATA& root() { return *root_; }
    const tagPLANBIGPDATA& root() const { return *root_; }
    void replaceRoot(std::unique_ptr<tagPLANBIGPDATA> root);

    // Takes the play and loads its temporary file, or starts an empty root.
    void load(const PlayState& play);
    // Lottery or play changed: while logged in the tree goes to the old temporary file first.
    void switchLotteryPlay(const PlayState& play, bool loggedIn);
    std::filesystem::path temporaryFile() const;
    bool saveTemporaryFile() const;

    // The root's tolerance and, in the group editor, its name from the controls; they are taken
    // even when invalid. Returns the message for a tolerance switched on without a list that reads.
    std::optional<std::string_view> takeRootSettings(bool toleranceOn,
                                                     std::string_view toleranceText,
                                                     std::string_view groupName = {});

    BoxStep receiveUsers(const std::vector<BoxUser>& users, bool newGroup, bool clearFirst,
                         std::int32_t currentIssue);
    // "运算": the plan box first fetches every enabled user's latest plan.
    BoxStep startCompute(std::int32_t currentIssue);
    // "验证": the plan box verifies at `issue` (none when the combo has no selection).
    BoxStep startVerify(std::optional<std::int32_t> issue);
    // "按位置筛选" with the combo's text; the plan box fetches the users' positions.
    BoxStep filterPositions(std::string_view choice, std::int32_t currentIssue);

    // Replies of the requests the box issued; replies nobody waits for are ignored.
    BoxStep onPlanContentReply(int type, std::string_view reply);
    BoxStep onKnownPlan(const tagPLANITEM& plan);
    BoxStep onKnownPlanFailed();
    BoxStep onStatusReply(std::string_view reply);
    bool waiting() const { return wait_ != Wait::none; }
    void cancelWait();

    std::optional<BoxResult> compute(const WorkProgress& progress = {}) const;

private:
    enum class Wait { none, transfer, latestPlans, positions, verify };
    struct Pending {
        std::int32_t userId = 0;
        std::int32_t planId = 0;
        std::string name;
    };

    std::vector<Pending> enabledUsers() const;
    // The name of the first item in tree order that matches.
    std::string firstName(const std::function<bool(const tagPLANBIGPDATA&)>& matches) const;
    // Numbers in canonical form with their count and set, to be copied into items.
    tagPLANBIGPDATA readNumbers(std::string_view numbers) const;
    void storeContent(const PlanContent& content);
    void storePositions(const PlanContent& content);
    void forgetPlan(std::int32_t userId);
    void applyStates(const std::vector<PlanState>& states);
    BoxStep fetchFromUsers(Wait wait, int requestType, std::int32_t issue,
                           std::string_view promptText);
    BoxStep waitFor(Wait wait, std::vector<Pending> pending, std::string_view promptText);
    BoxStep received(std::string promptText, const std::function<bool(const Pending&)>& answered);
    BoxStep finishWait();
    BoxStep abandonWait(std::string_view text);

    BoxKind kind_;
    std::filesystem::path dataDir_;
    bool main_;
    PlayState play_;
    std::unique_ptr<tagPLANBIGPDATA> root_;
    Wait wait_ = Wait::none;
    std::vector<Pending> pending_;
    std::string noPlanNames_;
    int pendingStates_ = 0;
    bool statesFailed_ = false;
};

}  // namespace quorstat
