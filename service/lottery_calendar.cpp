#include "service/lottery_calendar.h"

#include <fmt/format.h>

#include <charconv>
#include <stdexcept>

namespace quorstat::service {
namespace {

constexpr std::string_view kStandardTables = R"(
1010 00:05-01:55/5 10:00-22:00/10 22:05-24:00/5
1011 10:10-26:00/10
1012 09:10-23:00/10
1013 08:40-22:30/10
1014 09:20-23:10/10
1015 10:10-22:00/10
)";

constexpr std::string_view kDemoTables = R"(
1010 00:02-24:00/2
1011 00:02-24:00/2
1012 00:02-24:00/2
1013 00:02-24:00/2
1014 00:02-24:00/2
1015 00:02-24:00/2
)";

constexpr int kMaxIssuesPerDay = 999;

std::vector<std::string_view> words(std::string_view line) {
    std::vector<std::string_view> result;
    while (true) {
        const std::size_t start = line.find_first_not_of(" \t\r");
        if (start == std::string_view::npos)
            return result;
        line.remove_prefix(start);
        const std::size_t end = std::min(line.find_first_of(" \t\r"), line.size());
        result.push_back(line.substr(0, end));
        line.remove_prefix(end);
    }
}

int number(std::string_view text) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || value < 0)
        throw std::invalid_argument(fmt::format("\"{}\" is not a number", text));
    return value;
}

// "HH:MM" or "HH:MM:SS", hours up to 47 for draws after midnight.
CivilSeconds timeOffset(std::string_view text) {
    std::vector<int> parts;
    while (true) {
        const std::size_t colon = text.find(':');
        parts.push_back(number(text.substr(0, colon)));
        if (colon == std::string_view::npos)
            break;
        text.remove_prefix(colon + 1);
    }
    if (parts.size() < 2 || parts.size() > 3 || parts[0] > 47 || parts[1] > 59 ||
        (parts.size() == 3 && parts[2] > 59))
        throw std::invalid_argument("a time must read HH:MM or HH:MM:SS");
    return parts[0] * 3600 + parts[1] * 60 + (parts.size() == 3 ? parts[2] : 0);
}

void appendDrawTimes(std::string_view item, std::vector<CivilSeconds>& offsets) {
    const std::size_t dash = item.find('-');
    if (dash == std::string_view::npos) {
        offsets.push_back(timeOffset(item));
        return;
    }
    const std::size_t slash = item.find('/', dash);
    if (slash == std::string_view::npos)
        throw std::invalid_argument("a run must read HH:MM-HH:MM/MINUTES");
    const CivilSeconds first = timeOffset(item.substr(0, dash));
    const CivilSeconds last = timeOffset(item.substr(dash + 1, slash - dash - 1));
    const int step = number(item.substr(slash + 1)) * 60;
    if (step <= 0 || last < first)
        throw std::invalid_argument("empty run");
    for (CivilSeconds offset = first; offset <= last; offset += step)
        offsets.push_back(offset);
}

void checkTable(const std::vector<CivilSeconds>& offsets) {
    if (offsets.empty() || offsets.size() > kMaxIssuesPerDay)
        throw std::invalid_argument("a table needs 1 to 999 draw times");
    if (offsets.front() <= 0)
        throw std::invalid_argument("the first draw must come after the day has begun");
    for (std::size_t i = 1; i < offsets.size(); ++i)
        if (offsets[i] <= offsets[i - 1])
            throw std::invalid_argument("draw times must be in ascending order");
    if (offsets.back() - offsets.front() >= kSecondsPerDay)
        throw std::invalid_argument("a table must span less than a day");
}

}  // namespace

LotteryCalendar::LotteryCalendar(std::vector<LotterySchedule> lotteries)
    : lotteries_(std::move(lotteries)) {}

LotteryCalendar LotteryCalendar::standard() {
    const LotteryCalendar names({{1010, "重庆时时彩", {}},
                                 {1011, "新疆时时彩", {}},
                                 {1012, "江西时时彩", {}},
                                 {1013, "黑龙江时时彩", {}},
                                 {1014, "天津时时彩", {}},
                                 {1015, "云南时时彩", {}}});
    return names.withTables(kStandardTables);
}

LotteryCalendar LotteryCalendar::demo() {
    return standard().withTables(kDemoTables);
}

LotteryCalendar LotteryCalendar::withTables(std::string_view text) const {
    LotteryCalendar result = *this;
    int lineNumber = 0;
    while (!text.empty()) {
        ++lineNumber;
        const std::size_t end = std::min(text.find('\n'), text.size());
        std::string_view line = text.substr(0, end);
        text.remove_prefix(std::min(end + 1, text.size()));
        line = line.substr(0, line.find('#'));
        const std::vector<std::string_view> items = words(line);
        if (items.empty())
            continue;
        try {
            LotterySchedule* lottery = nullptr;
            for (LotterySchedule& candidate : result.lotteries_)
                if (candidate.id == number(items[0]))
                    lottery = &candidate;
            if (lottery == nullptr)
                throw std::invalid_argument("unknown lottery id");
            std::vector<CivilSeconds> offsets;
            for (std::size_t i = 1; i < items.size(); ++i)
                appendDrawTimes(items[i], offsets);
            checkTable(offsets);
            lottery->drawOffsets = std::move(offsets);
        } catch (const std::invalid_argument& error) {
            throw std::invalid_argument(fmt::format("line {}: {}", lineNumber, error.what()));
        }
    }
    return result;
}

const LotterySchedule* LotteryCalendar::find(int id) const {
    for (const LotterySchedule& lottery : lotteries_)
        if (lottery.id == id)
            return &lottery;
    return nullptr;
}

const LotterySchedule* LotteryCalendar::findByName(std::string_view name) const {
    for (const LotterySchedule& lottery : lotteries_)
        if (lottery.name == name)
            return &lottery;
    return nullptr;
}

std::vector<ScheduledDraw> LotteryCalendar::drawsBetween(const LotterySchedule& lottery,
                                                         CivilSeconds after, CivilSeconds upTo) {
    std::vector<ScheduledDraw> draws;
    // A lottery day's last draws may fall on the next calendar day.
    for (CivilSeconds day = dayStart(after) - kSecondsPerDay; day <= upTo; day += kSecondsPerDay) {
        for (std::size_t i = 0; i < lottery.drawOffsets.size(); ++i) {
            const CivilSeconds drawAt = day + lottery.drawOffsets[i];
            if (drawAt > after && drawAt <= upTo)
                draws.push_back({issueDate(day) * 1000 + static_cast<int>(i) + 1, drawAt});
        }
    }
    return draws;
}

std::optional<CivilSeconds> LotteryCalendar::drawTime(const LotterySchedule& lottery, int issue) {
    const int sequence = issue % 1000;
    const std::optional<CivilSeconds> day = issueDateStart(issue / 1000);
    if (!day || sequence < 1 || sequence > static_cast<int>(lottery.drawOffsets.size()))
        return std::nullopt;
    return *day + lottery.drawOffsets[static_cast<std::size_t>(sequence - 1)];
}

int LotteryCalendar::issueAfter(const LotterySchedule& lottery, int issue, int steps) {
    const int perDay = static_cast<int>(lottery.drawOffsets.size());
    const int position = issue % 1000 - 1 + steps;
    const CivilSeconds day =
        issueDateStart(issue / 1000).value_or(0) + (position / perDay) * kSecondsPerDay;
    return issueDate(day) * 1000 + position % perDay + 1;
}

ScheduledDraw LotteryCalendar::openIssue(const LotterySchedule& lottery, CivilSeconds now) {
    // A table spans less than a day, so the next draw comes within two.
    return drawsBetween(lottery, now, now + 2 * kSecondsPerDay).front();
}

}  // namespace quorstat::service
