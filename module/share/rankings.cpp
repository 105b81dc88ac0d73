#include "share/rankings.h"

#include <algorithm>

#include "core/ascii_case.h"
#include "net/reply_text.h"
#include "net/request_types.h"

namespace quorstat {

namespace {

const std::vector<std::string_view> kPointsPanels = {"投注积分排行榜", "奖励积分排行榜",
                                                     "总积分排行榜"};

// Count keys of a page's panel sections and own-entry sections, by panel.
struct SectionKeys {
    std::array<std::string_view, kMaxRankingPanels> panel;
    std::array<std::string_view, kMaxRankingPanels> own;
};

SectionKeys sectionKeys(RankingPage page) {
    switch (page) {
        case RankingPage::Points:
            return {{"SCount", "ASCount", "TSCount"}, {"USCount", "UASCount", "UTSCount"}};
        case RankingPage::Online:
            return {{"LDCount", "LWCount", "LMCount", "TCount"},
                    {"ULDCount", "ULWCount", "ULMCount", "UTCount"}};
        case RankingPage::Fans:
            return {{"TDCount", "TWCount", "TMCount"}, {"UTDCount", "UTWCount", "UTMCount"}};
    }
    return {};
}

std::optional<tagRANKINGITEM> readRecord(std::string_view record,
                                         const RankingReception& reception) {
    tagRANKINGITEM item;
    item.lotteryId = reception.lotteryId;
    item.playId = reception.playId;
    item.date = reception.date;
    while (!record.empty()) {
        const auto field = CutField(record, '|');
        if (!field)
            return std::nullopt;
        if (const auto name = TagValue(*field, "UN="))
            item.userName = *name;
        else if (const auto rank = TagValue(*field, "TSR="))
            item.rank = ReadInt(*rank);
        else if (const auto value = TagValue(*field, "TS="))
            item.value = ReadMoney(*value);
        else if (const auto previous = TagValue(*field, "TLDSR="))
            item.previousRank = ReadInt(*previous);
        else if (const auto id = TagValue(*field, "ID="))
            item.userId = ReadInt(*id);
        else if (const auto sharing = TagValue(*field, "SH="))
            item.sharing = EqualsIgnoringCase(*sharing, "true") ? 1 : 0;
    }
    return item;
}

struct Section {
    std::string_view key;
    std::vector<tagRANKINGITEM> items;
};

// "KEY=N|RECORD$RECORD$...": N records, each ended by "$".
std::optional<Section> readSection(std::string_view text, const RankingReception& reception) {
    const auto countItem = CutField(text, '|');
    if (!countItem)
        return std::nullopt;
    const auto equals = countItem->find('=');
    if (equals == std::string_view::npos)
        return std::nullopt;
    Section section;
    section.key = countItem->substr(0, equals);
    const int count = ReadInt(countItem->substr(equals + 1));
    for (int i = 0; i < count; ++i) {
        const auto record = CutField(text, '$');
        if (!record)
            return std::nullopt;
        auto item = readRecord(*record, reception);
        if (!item)
            return std::nullopt;
        section.items.push_back(std::move(*item));
    }
    return section;
}

// Index of `key` among `keys`, if it is one of them.
std::optional<std::size_t> keyIndex(const std::array<std::string_view, kMaxRankingPanels>& keys,
                                    std::string_view key) {
    for (std::size_t i = 0; i < keys.size(); ++i)
        if (!keys[i].empty() && keys[i] == key)
            return i;
    return std::nullopt;
}

void appendOwnEntries(const RankingPanels& own, RankingPanels& panels) {
    for (std::size_t i = 0; i < kMaxRankingPanels; ++i) {
        if (own[i].size() != 1)
            continue;
        const tagRANKINGITEM& entry = own[i].front();
        const bool listed = std::any_of(panels[i].begin(), panels[i].end(), [&](const auto& item) {
            return item.userName == entry.userName;
        });
        if (!listed)
            panels[i].push_back(entry);
    }
}

}  // namespace

std::optional<RankingKindInfo> RankingKind(int kind) {
    switch (kind) {
        case kRankingOnline:
            return RankingKindInfo{kind,
                                   RankingPage::Online,
                                   {"昨天在线时长排行榜", "上周在线时长排行榜",
                                    "上月在线时长排行榜", "在线时长总排行榜"},
                                   "时长",
                                   std::nullopt};
        case kRankingFans:
            return RankingKindInfo{kind,
                                   RankingPage::Fans,
                                   {"昨天粉丝排行榜", "上周粉丝排行榜", "上月粉丝排行榜"},
                                   "粉丝",
                                   std::nullopt};
        case kRankingDay:
        case kRankingDay + 1:
        case kRankingDay + 2:
        case kRankingTotal: {
            constexpr RankingPeriod kPeriods[] = {RankingPeriod::Day, RankingPeriod::Week,
                                                  RankingPeriod::Month, RankingPeriod::Total};
            return RankingKindInfo{kind, RankingPage::Points, kPointsPanels, "积分",
                                   kPeriods[kind - kRankingDay]};
        }
        default:
            return std::nullopt;
    }
}

std::string RankingCaption(int kind, std::string_view playNames) {
    constexpr std::string_view kPointsSuffixes[] = {" 昨日 TOP100 排行榜", " 上周 TOP100 排行榜",
                                                    " 上月 TOP100 排行榜", " TOP100 总排行榜"};
    if (kind == kRankingOnline)
        return "在线时长 TOP100 排行榜";
    if (kind == kRankingFans)
        return "粉丝 TOP100 排行榜";
    if (kind >= kRankingDay && kind <= kRankingTotal)
        return std::string(playNames) + std::string(kPointsSuffixes[kind - kRankingDay]);
    return "TOP100排行榜";
}

int RankingRequestType(RankingPage page) {
    switch (page) {
        case RankingPage::Online:
            return RequestType::RankingOnline;
        case RankingPage::Fans:
            return RequestType::RankingFans;
        case RankingPage::Points:
            break;
    }
    return RequestType::RankingPoints;
}

bool ReadRankingReply(std::string_view reply, RankingPage page, const RankingReception& reception,
                      RankingPanels& panels) {
    if (reply.empty() || reply.front() != '1')
        return false;
    std::string_view body = reply.substr(std::min<std::size_t>(2, reply.size()));
    while (!body.empty() && body.back() == '#')
        body.remove_suffix(1);
    std::string text(body);
    text += '#';

    const SectionKeys keys = sectionKeys(page);
    RankingPanels own;
    std::string_view rest = text;
    while (!rest.empty()) {
        const auto sectionText = CutField(rest, '#');
        if (!sectionText)
            return false;
        // Each section is followed by one more character: the second "#".
        rest.remove_prefix(std::min<std::size_t>(1, rest.size()));
        auto section = readSection(*sectionText, reception);
        if (!section)
            return false;
        if (const auto panel = keyIndex(keys.panel, section->key))
            panels[*panel] = std::move(section->items);
        else if (const auto ownPanel = keyIndex(keys.own, section->key))
            own[*ownPanel] = std::move(section->items);
    }
    appendOwnEntries(own, panels);
    return true;
}

bool RankingRefreshDue(std::time_t dataTime, std::time_t serverTime) {
    return serverTime - dataTime >= kRankingRefreshSeconds;
}

const tagRANKINGITEM* FindRankedUser(const RankingPanels& panels, std::string_view name) {
    const tagRANKINGITEM* found = nullptr;
    for (const auto& panel : panels)
        for (const tagRANKINGITEM& item : panel)
            if (item.userName == name)
                found = &item;
    return found;
}

}  // namespace quorstat
