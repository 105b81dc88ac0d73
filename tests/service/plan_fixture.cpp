#include "plan_fixture.h"

#include <algorithm>

#include "service/draw_maker.h"

namespace quorstat::service {

std::string PlanServiceTest::uploadBody(const TestSession& session, const Fields& changes) {
    Fields fields = {
        {"LotteryName", "重庆时时彩"},
        {"LotteryPlay", "三星"},
        {"LotteryType", "单选"},
        {"Position", "123"},
        {"ChipsPrice", "2.000"},
        {"Bonus", "1950.000"},
        {"Issue1", "130501024"},
        {"Issue2", "130501026"},
        {"IssueNum", "3"},
        {"Multiple", "1,2,4"},
        {"BetContext", "555 "},
        {"BetNum", "1"},
        {"BetTime", "2013-05-01 09:15:00"},
        {"Share", "1"},
        {"InitMoney", "0"},
        {"Page", "1"},
        {"OnePageNum", "0"},
        {"sUserName", session.name},
    };
    for (const auto& [name, value] : changes) {
        const auto field = std::find_if(fields.begin(), fields.end(),
                                        [&name](const auto& f) { return f.first == name; });
        if (field == fields.end())
            fields.emplace_back(name, value);
        else if (value == kOmit)
            fields.erase(field);
        else
            field->second = value;
    }
    std::string body = prefix(session);
    for (const auto& [name, value] : fields)
        body += "&" + name + "=" + value;
    return body;
}

std::string PlanServiceTest::upload(const TestSession& session, const Fields& changes) {
    return post("BetPlanInfoUp.asp", uploadBody(session, changes));
}

std::string PlanServiceTest::ownList(const TestSession& session, const std::string& extra) {
    return post("BetPlanList.asp", prefix(session) + lotteryScope() + "&Share=0&sUserName=" +
                                       session.name + "&Page=1&OnePageNum=0" + extra);
}

std::string PlanServiceTest::sharedList(const TestSession& viewer, const std::string& owner,
                                        const std::string& extra) {
    return post("BetPlanList.asp", prefix(viewer) + lotteryScope() + "&Share=1&sUserName=" + owner +
                                       "&Page=1&OnePageNum=0" + extra);
}

Record PlanServiceTest::parseRecord(std::string_view text) {
    Record record;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('|'), text.size());
        const std::string_view item = text.substr(0, end);
        const std::size_t equals = item.find('=');
        if (equals != std::string_view::npos)
            record.emplace(item.substr(0, equals), item.substr(equals + 1));
        text.remove_prefix(std::min(end + 1, text.size()));
    }
    return record;
}

std::vector<Record> PlanServiceTest::parseRecords(std::string_view text, char separator) {
    std::vector<Record> records;
    while (!text.empty()) {
        const std::size_t end = text.find(separator);
        if (end == std::string_view::npos)
            break;
        records.push_back(parseRecord(text.substr(0, end)));
        text.remove_prefix(end + 1);
    }
    return records;
}

ListReply PlanServiceTest::parseList(const std::string& reply) {
    ListReply list;
    if (reply.size() < 2)
        return list;
    list.status = reply[0];
    std::string_view rest = std::string_view(reply).substr(2);
    std::string head[3];
    for (std::string& field : head) {
        const std::size_t bar = rest.find('|');
        if (bar == std::string_view::npos)
            return list;
        field = rest.substr(0, bar);
        rest.remove_prefix(bar + 1);
    }
    list.total = std::stoi(head[0]);
    list.count = std::stoi(head[1]);
    list.stamp = head[2];
    const std::size_t hash = rest.find('#');
    list.summary = parseRecord(rest.substr(0, hash));
    if (hash != std::string_view::npos)
        list.plans = parseRecords(rest.substr(hash + 1), '$');
    return list;
}

std::string PlanServiceTest::drawOf(int issue, int lotteryId) {
    return DrawMaker::digitsFor(7, lotteryId, issue);
}

void PlanServiceTest::setClock(const std::string& time) {
    ASSERT_EQ(controlClock("Set=" + time).substr(0, 21), "1|" + time);
}

}  // namespace quorstat::service
