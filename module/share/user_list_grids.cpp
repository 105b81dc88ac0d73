#include "share/user_list_grids.h"

#include <fmt/format.h>

namespace quorstat {

const std::vector<StabilityPeriod> kStabilityPeriods{
    {"当前投注方案\tN", 0, "N"}, {"最近1小时\t1H", 1, "1H"},  {"最近2小时\t2H", 2, "2H"},
    {"最近3小时\t3H", 3, "3H"},  {"最近6小时\t6H", 6, "6H"},  {"最近12小时\t12H", 12, "12H"},
    {"最近1天\t\t1D", 24, "1D"}, {"最近3天\t\t3D", 72, "3D"}, {"全部方案\t\tA", 256, "A"},
};

namespace {

constexpr Rgb kGrey = 0x646464;
constexpr Rgb kRed = 0xFF0000;
constexpr Rgb kBlue = 0x0000FF;
constexpr Rgb kWhite = 0xFFFFFF;
constexpr Rgb kOwnRow = 0x00FFFF;
constexpr Rgb kFollowedRow = 0xFFFF00;
constexpr Rgb kOneIssueChased = 0xA03232;
constexpr Rgb kIssuesChased = 0x0080C0;

enum Column : std::size_t {
    kPlans = 2,
    kChased,
    kRunning,
    kHits,
    kMisses,
    kStopped,
    kAverageBets,
    kSuccessRate,
    kAverageProfit,
    kProfitRate,
    kStability,
};

constexpr std::string_view kHeaders[] = {"序号",     "用户名", "方案", "追期", "进行",
                                         "中",       "挂",     "停",   "均注", "成功率",
                                         "平均利润", "利润率", "稳度"};

// Blue for a gain, red for a loss, nothing for zero.
std::optional<Rgb> signColour(double value) {
    if (value > 0)
        return kBlue;
    if (value < 0)
        return kRed;
    return std::nullopt;
}

// One for a single running plan or issue, the other for more.
std::optional<Rgb> countColour(int count, Rgb one, Rgb more) {
    if (count == 1)
        return one;
    if (count > 1)
        return more;
    return std::nullopt;
}

std::vector<GridColours> rowColours(const tagUSERINFO& user, std::string_view ownName) {
    std::vector<GridColours> colours(kUserColumnCount);
    if (user.userName == ownName)
        colours[kUserRowNumberColumn].background = kOwnRow;
    else if (user.followed)
        colours[kUserRowNumberColumn].background = kFollowedRow;
    if (!user.shares)
        colours[kUserNameColumn].text = kGrey;
    if (user.runningPlans == 0) {
        for (std::size_t column = kPlans; column < kUserColumnCount; ++column)
            colours[column].text = kGrey;
        return colours;
    }
    colours[kChased].text = countColour(user.chasedIssues, kOneIssueChased, kIssuesChased);
    colours[kRunning].text = countColour(user.runningPlans, kRed, kBlue);
    colours[kAverageProfit].text = signColour(user.averageProfit);
    colours[kProfitRate].text = signColour(user.profitRate);
    colours[kStability].text = signColour(user.stability);
    return colours;
}

GridRow detailedRow(const tagUSERINFO& user, int rowNumber, std::string_view ownName) {
    GridRow row;
    row.cells = {
        fmt::format("{}", rowNumber),
        user.userName,
        fmt::format("{}", user.planCount),
        fmt::format("{}", user.chasedIssues),
        fmt::format("{}", user.runningPlans),
        fmt::format("{}", user.hitPlans),
        fmt::format("{}", user.missedPlans),
        fmt::format("{}", user.stoppedPlans),
        fmt::format("{}", user.averageBets),
        fmt::format("{:.2f}%", user.successRate),
        fmt::format("{:.2f}", user.averageProfit),
        fmt::format("{:.2f}%", user.profitRate),
        fmt::format("{:.2f}", user.stability),
    };
    row.cellColours = rowColours(user, ownName);
    return row;
}

}  // namespace

std::string_view StabilitySuffix(int factorCycle) {
    for (const StabilityPeriod& period : kStabilityPeriods)
        if (period.factorCycle == factorCycle)
            return period.suffix;
    return {};
}

GridContent DetailedUserGrid(const std::vector<tagUSERINFO>& users, int firstRowNumber,
                             std::string_view ownName, int factorCycle) {
    GridContent grid;
    for (const std::string_view header : kHeaders)
        grid.columns.push_back({std::string(header), false, GridCompare::Number});
    grid.columns[kUserNameColumn].compare = GridCompare::Text;
    grid.columns[kStability].name += StabilitySuffix(factorCycle);
    grid.rows.reserve(users.size());
    for (std::size_t i = 0; i < users.size(); ++i)
        grid.rows.push_back(detailedRow(users[i], firstRowNumber + static_cast<int>(i), ownName));
    return grid;
}

GridContent CompactUserGrid(const std::vector<tagUSERINFO>& users) {
    GridContent grid;
    grid.hasHeader = false;
    grid.columns.resize(kNamesPerRow);
    for (std::size_t i = 0; i < users.size(); ++i) {
        if (i % kNamesPerRow == 0)
            grid.rows.push_back({std::vector<std::string>(kNamesPerRow),
                                 {},
                                 std::vector<GridColours>(kNamesPerRow)});
        GridRow& row = grid.rows.back();
        const tagUSERINFO& user = users[i];
        row.cells[i % kNamesPerRow] = user.userName;
        if (const auto background = countColour(user.runningPlans, kRed, kBlue))
            row.cellColours[i % kNamesPerRow] = {kWhite, background};
    }
    return grid;
}

std::vector<tagUSERINFO> SharingUsers(const std::vector<tagUSERINFO>& users,
                                      const std::vector<std::size_t>& records) {
    std::vector<tagUSERINFO> sharing;
    for (const std::size_t record : records)
        if (record < users.size() && users[record].shares)
            sharing.push_back(users[record]);
    return sharing;
}

std::string JoinedNames(const std::vector<tagUSERINFO>& users,
                        const std::vector<std::size_t>& records) {
    std::string names;
    for (const std::size_t record : records) {
        if (record >= users.size())
            continue;
        if (!names.empty())
            names += ',';
        names += users[record].userName;
    }
    return names;
}

}  // namespace quorstat
