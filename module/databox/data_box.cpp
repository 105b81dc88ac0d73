#include "databox/data_box.h"

#include <fmt/format.h>
#include <fmt/ranges.h>

#include <algorithm>
#include <utility>

#include "core/number_list_parser.h"
#include "databox/box_positions.h"
#include "databox/box_tree.h"
#include "databox/box_verification.h"
#include "net/request_types.h"
#include "plan/bet_numbers.h"
#include "plan/position_table.h"

namespace quorstat {

namespace {

constexpr std::string_view kToleranceMessage = "容错设置不正确";
constexpr std::string_view kNoEnabledUsers = "没有启用的用户";
constexpr std::string_view kNothingToVerify = "没有可以验证的方案";
constexpr std::string_view kNoVerifyIssue = "验证期号设置不正确，请稍后再试";
constexpr std::string_view kStatesFailed = "获取方案验证信息失败！";
constexpr std::string_view kFetchingPlans = "正在获取用户方案，请稍候...";
constexpr std::string_view kFetchingLatestPlans = "正在获取用户最新方案，请稍候...";
constexpr std::string_view kFetchingPositions = "正在获取用户方案位置，请稍候...";
constexpr std::string_view kFetchingStates = "正在获取方案验证信息，请稍候...";
constexpr std::string_view kComputing = "正在计算交集，请稍候...";

void collectUsers(const tagPLANBIGPDATA& group, std::vector<std::int32_t>& seen,
                  std::vector<const tagPLANBIGPDATA*>& users) {
    for (const auto& child : group.children) {
        if (child->enabled != 1)
            continue;
        if (child->group()) {
            collectUsers(*child, seen, users);
        } else if (child->userId != 0 && std::ranges::find(seen, child->userId) == seen.end()) {
            seen.push_back(child->userId);
            users.push_back(child.get());
        }
    }
}

BoxRequest contentRequest(int type, std::int32_t userId, std::int32_t issue) {
    BoxRequest request;
    request.type = type;
    request.userId = userId;
    request.issue = issue;
    return request;
}

BoxRequest knownPlanRequest(std::int32_t planId, std::string userName) {
    BoxRequest request;
    request.type = RequestType::PlanDetailToBigBase;
    request.planId = planId;
    request.userName = std::move(userName);
    return request;
}

BoxRequest statesRequest(int type, std::string ids, std::int32_t issue) {
    BoxRequest request;
    request.type = type;
    request.ids = std::move(ids);
    request.issue = issue;
    return request;
}

std::string joinIds(const std::vector<std::int32_t>& ids) {
    return fmt::format("{}", fmt::join(ids, ","));
}

// The issue a known plan is verified at: the one it was taken for while the plan still ran then.
std::int32_t planIssue(std::int32_t takenAt, const tagPLANITEM& plan) {
    return takenAt >= plan.firstIssue && takenAt <= plan.lastIssue ? takenAt : plan.firstIssue;
}

}  // namespace

DataBox::DataBox(BoxKind kind, std::filesystem::path dataDir, bool main)
    : kind_(kind), dataDir_(std::move(dataDir)), main_(main), root_(NewGroupNode()) {}

void DataBox::replaceRoot(std::unique_ptr<tagPLANBIGPDATA> root) {
    cancelWait();
    root_ = root ? std::move(root) : NewGroupNode();
}

void DataBox::load(const PlayState& play) {
    play_ = play;
    replaceRoot(main_ ? LoadBoxFile(temporaryFile(), scope()) : nullptr);
}

void DataBox::switchLotteryPlay(const PlayState& play, bool loggedIn) {
    if (loggedIn)
        saveTemporaryFile();
    load(play);
}

std::filesystem::path DataBox::temporaryFile() const {
    if (!main_ || play_.lotteryId == 0 || play_.playId == 0)
        return {};
    return BoxTemporaryFile(dataDir_, scope());
}

bool DataBox::saveTemporaryFile() const {
    const std::filesystem::path path = temporaryFile();
    return !path.empty() && SaveBoxFile(path, scope(), *root_);
}

std::optional<std::string_view> DataBox::takeRootSettings(bool toleranceOn,
                                                          std::string_view toleranceText,
                                                          std::string_view groupName) {
    root_->toleranceOn = toleranceOn ? 1 : 0;
    root_->toleranceText = std::string(toleranceText);
    root_->name = std::string(main_ || groupName.empty() ? kNewGroupName : groupName);
    // A list that does not read would let no number pass, without telling why.
    std::vector<int> misses;
    if (toleranceOn && (!ParseNumberList(toleranceText, misses) || misses.empty()))
        return kToleranceMessage;
    return std::nullopt;
}

BoxStep DataBox::receiveUsers(const std::vector<BoxUser>& users, bool newGroup, bool clearFirst,
                              std::int32_t currentIssue) {
    if (clearFirst)
        root_->children.clear();
    BoxNodes items;
    std::vector<Pending> fetches;
    for (const BoxUser& user : users) {
        auto item = NewItemNode();
        item->name = user.name;
        item->userId = user.userId;
        item->planId = user.planId;
        item->sharing = user.sharing;
        if (kind_ == BoxKind::bigBase)
            item->issue = currentIssue;
        items.push_back(std::move(item));
        fetches.push_back({user.userId, user.planId, user.name});
    }
    if (newGroup)
        AppendNewGroupOf(*root_, std::move(items));
    else
        AppendNodes(*root_, std::move(items));

    BoxStep step;
    if (kind_ == BoxKind::bigBase && !fetches.empty()) {
        std::vector<BoxRequest> requests;
        for (const Pending& fetch : fetches) {
            requests.push_back(fetch.planId != 0 ? knownPlanRequest(fetch.planId, fetch.name)
                                                 : contentRequest(RequestType::PlanContentToBigBase,
                                                                  fetch.userId, currentIssue));
        }
        step = waitFor(Wait::transfer, std::move(fetches), kFetchingPlans);
        step.requests = std::move(requests);
    }
    step.redraw = true;
    step.save = true;
    return step;
}

BoxStep DataBox::startCompute(std::int32_t currentIssue) {
    if (kind_ == BoxKind::bigBase) {
        RefreshShownPositions(*root_);
        BoxStep step;
        step.prompt = BoxStep::Prompt::show;
        step.promptText = kComputing;
        step.redraw = true;
        step.compute = true;
        return step;
    }
    return fetchFromUsers(Wait::latestPlans, RequestType::PlanContentToPlanBox, currentIssue,
                          kFetchingLatestPlans);
}

BoxStep DataBox::filterPositions(std::string_view choice, std::int32_t currentIssue) {
    root_->positionFilter = choice == kAllPositions ? std::string() : std::string(choice);
    if (kind_ == BoxKind::plan)
        return fetchFromUsers(Wait::positions, RequestType::PlanPositions, currentIssue,
                              kFetchingPositions);
    RefreshShownPositions(*root_);
    BoxStep step;
    step.redraw = true;
    return step;
}

BoxStep DataBox::fetchFromUsers(Wait wait, int requestType, std::int32_t issue,
                                std::string_view promptText) {
    std::vector<Pending> users = enabledUsers();
    BoxStep step;
    if (users.empty()) {
        step.message = kNoEnabledUsers;
        return step;
    }
    std::vector<BoxRequest> requests;
    for (const Pending& user : users)
        requests.push_back(contentRequest(requestType, user.userId, issue));
    step = waitFor(wait, std::move(users), promptText);
    step.requests = std::move(requests);
    return step;
}

BoxStep DataBox::startVerify(std::optional<std::int32_t> issue) {
    BoxStep step;
    std::vector<std::int32_t> ids;
    if (kind_ == BoxKind::plan) {
        for (const Pending& user : enabledUsers())
            ids.push_back(user.userId);
        if (!ids.empty() && issue)
            step.requests.push_back(
                statesRequest(RequestType::PlanStatesByUsers, joinIds(ids), *issue));
    } else {
        ForEachItem(*root_, [&](const tagPLANBIGPDATA& item) {
            if (item.enabled != 1 || item.planId == 0 ||
                std::ranges::find(ids, item.planId) != ids.end())
                return;
            ids.push_back(item.planId);
            step.requests.push_back(statesRequest(RequestType::PlanStateByPlan,
                                                  std::to_string(item.planId), item.issue));
        });
    }
    if (ids.empty()) {
        step.message = kNothingToVerify;
        return step;
    }
    if (step.requests.empty()) {
        step.message = kNoVerifyIssue;
        return step;
    }
    // States of an earlier verification must not pass for this one.
    ForEachItem(*root_, [&](tagPLANBIGPDATA& item) {
        const std::int32_t id = kind_ == BoxKind::plan ? item.userId : item.planId;
        if (std::ranges::find(ids, id) != ids.end())
            item.verifyState = 0;
    });
    std::vector<BoxRequest> requests = std::move(step.requests);
    step = waitFor(Wait::verify, {}, kFetchingStates);
    step.requests = std::move(requests);
    pendingStates_ = static_cast<int>(step.requests.size());
    statesFailed_ = false;
    return step;
}

BoxStep DataBox::onPlanContentReply(int type, std::string_view reply) {
    const Wait expected = type == RequestType::PlanContentToPlanBox   ? Wait::latestPlans
                          : type == RequestType::PlanContentToBigBase ? Wait::transfer
                          : type == RequestType::PlanPositions        ? Wait::positions
                                                                      : Wait::none;
    if (expected == Wait::none || wait_ != expected)
        return {};
    const std::optional<PlanContent> content = ParsePlanReply(reply, play_.lotteryId);
    // A reply that names no user cannot end anyone's wait.
    if (!content || content->userId == 0)
        return abandonWait(kPlanReplyError);
    const std::string name =
        firstName([&](const tagPLANBIGPDATA& item) { return item.userId == content->userId; });
    if (wait_ == Wait::positions) {
        storePositions(*content);
    } else {
        storeContent(*content);
        if (!content->hasPositions())
            noPlanNames_ += name + "\r\n";
    }
    return received(fmt::format("正在获取用户 [{}] 的最新方案", name),
                    [&](const Pending& user) { return user.userId == content->userId; });
}

BoxStep DataBox::onKnownPlan(const tagPLANITEM& plan) {
    if (wait_ != Wait::transfer)
        return {};
    const std::string name =
        firstName([&](const tagPLANBIGPDATA& item) { return item.planId == plan.planId; });
    const std::string positions =
        ConvertPositions(plan.positions, play_.lotteryId, PositionDirection::toNames);
    if (plan.planId != 0 && !positions.empty() && !plan.numbers.empty()) {
        const tagPLANBIGPDATA read = readNumbers(plan.numbers);
        ForEachItem(*root_, [&](tagPLANBIGPDATA& item) {
            if (item.planId != plan.planId)
                return;
            item.issue = planIssue(item.issue, plan);
            item.copyNumbers(read);
            item.betCount = read.betCount;
            item.positions = positions;
            item.positionShown = positions;
        });
    } else {
        noPlanNames_ += name + "\r\n";
    }
    return received(fmt::format("正在获取用户 [{}] 的方案", name),
                    [&](const Pending& user) { return user.planId == plan.planId; });
}

BoxStep DataBox::onKnownPlanFailed() {
    return wait_ == Wait::transfer ? abandonWait(kPlanReplyError) : BoxStep{};
}

BoxStep DataBox::onStatusReply(std::string_view reply) {
    if (wait_ != Wait::verify)
        return {};
    if (const auto states = ParseStatusReply(reply, play_.lotteryId))
        applyStates(*states);
    else
        statesFailed_ = true;
    if (--pendingStates_ > 0)
        return {};
    VerifyGroup(*root_);
    wait_ = Wait::none;
    BoxStep step;
    step.prompt = statesFailed_ ? BoxStep::Prompt::closeAfterSecond : BoxStep::Prompt::close;
    step.promptText = statesFailed_ ? kStatesFailed : std::string_view();
    step.redraw = true;
    return step;
}

void DataBox::cancelWait() {
    wait_ = Wait::none;
    pending_.clear();
    noPlanNames_.clear();
    pendingStates_ = 0;
}

std::optional<BoxResult> DataBox::compute(const WorkProgress& progress) const {
    return ComputeBox(*root_, play_, progress);
}

std::vector<DataBox::Pending> DataBox::enabledUsers() const {
    std::vector<std::int32_t> seen;
    std::vector<const tagPLANBIGPDATA*> items;
    collectUsers(*root_, seen, items);
    std::vector<Pending> users;
    for (const tagPLANBIGPDATA* item : items)
        users.push_back({item->userId, item->planId, item->name});
    return users;
}

std::string DataBox::firstName(const std::function<bool(const tagPLANBIGPDATA&)>& matches) const {
    std::string name;
    bool found = false;
    ForEachItem(*root_, [&](const tagPLANBIGPDATA& item) {
        if (!found && matches(item)) {
            name = item.name;
            found = true;
        }
    });
    return name;
}

tagPLANBIGPDATA DataBox::readNumbers(std::string_view numbers) const {
    tagPLANBIGPDATA read;
    std::string text(numbers);
    BetCounters tally;
    read.betCount = NormalizeBetNumbers(text, tally, play_);
    read.setNumbers(std::move(text), play_, tally);
    return read;
}

void DataBox::storeContent(const PlanContent& content) {
    if (!content.hasPositions()) {
        if (kind_ == BoxKind::plan)
            forgetPlan(content.userId);
        return;
    }
    if (content.planId == 0 || !content.hasNumbers())
        return;
    const tagPLANBIGPDATA read = readNumbers(*content.numbers);
    ForEachItem(*root_, [&](tagPLANBIGPDATA& item) {
        const bool matches = kind_ == BoxKind::plan
                                 ? item.userId == content.userId
                                 : item.userId == content.userId && item.issue == content.issue;
        if (!matches)
            return;
        item.planId = content.planId;
        item.issue = content.issue;
        item.copyNumbers(read);
        item.betCount = read.betCount;
        item.positions = *content.positions;
        item.positionShown = kind_ == BoxKind::plan
                                 ? ShownPosition(item.positions, root_->positionFilter)
                                 : item.positions;
    });
}

void DataBox::storePositions(const PlanContent& content) {
    if (!content.hasPositions() || content.planId == 0)
        return;
    ForEachItem(*root_, [&](tagPLANBIGPDATA& item) {
        if (item.userId != content.userId)
            return;
        item.planId = content.planId;
        item.issue = content.issue;
        item.positions = *content.positions;
        item.positionShown = ShownPosition(item.positions, root_->positionFilter);
    });
}

// A user without a plan now takes no part with the plan he had before.
void DataBox::forgetPlan(std::int32_t userId) {
    ForEachItem(*root_, [&](tagPLANBIGPDATA& item) {
        if (item.userId != userId)
            return;
        item.planId = 0;
        item.setNumbers({});
        item.betCount = 0;
        item.positions.clear();
        item.positionShown = "-";
    });
}

void DataBox::applyStates(const std::vector<PlanState>& states) {
    for (const PlanState& state : states) {
        if (state.id == 0)
            continue;
        ForEachItem(*root_, [&](tagPLANBIGPDATA& item) {
            const std::int32_t id = kind_ == BoxKind::plan ? item.userId : item.planId;
            if (id != state.id)
                return;
            item.verifyState = state.state;
            item.positionShown = state.positions.empty() ? "-" : state.positions;
        });
    }
}

BoxStep DataBox::waitFor(Wait wait, std::vector<Pending> pending, std::string_view promptText) {
    // Users sent in while a transfer is under way join it.
    if (wait_ != wait || wait != Wait::transfer) {
        pending_.clear();
        noPlanNames_.clear();
    }
    wait_ = wait;
    pending_.insert(pending_.end(), pending.begin(), pending.end());
    BoxStep step;
    step.prompt = BoxStep::Prompt::show;
    step.promptText = promptText;
    return step;
}

BoxStep DataBox::received(std::string promptText,
                          const std::function<bool(const Pending&)>& answered) {
    const auto it = std::ranges::find_if(pending_, answered);
    if (it != pending_.end())
        pending_.erase(it);
    if (pending_.empty())
        return finishWait();
    BoxStep step;
    step.prompt = BoxStep::Prompt::show;
    step.promptText = std::move(promptText);
    step.redraw = true;
    return step;
}

BoxStep DataBox::finishWait() {
    BoxStep step;
    if (!noPlanNames_.empty())
        step.message = fmt::format("以下用户在当前期没有方案：\r\n{}", noPlanNames_);
    if (wait_ == Wait::transfer)
        RemoveItemsWithoutNumbers(*root_);
    if (wait_ == Wait::transfer || wait_ == Wait::positions)
        RefreshShownPositions(*root_);
    step.compute = wait_ == Wait::latestPlans;
    step.prompt = step.compute ? BoxStep::Prompt::show : BoxStep::Prompt::close;
    step.promptText = step.compute ? kComputing : std::string_view();
    step.redraw = true;
    cancelWait();
    return step;
}

BoxStep DataBox::abandonWait(std::string_view text) {
    cancelWait();
    BoxStep step;
    step.prompt = BoxStep::Prompt::closeAfterSecond;
    step.promptText = text;
    step.redraw = true;
    return step;
}

}  // namespace quorstat
