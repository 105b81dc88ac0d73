#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "service_fixture.h"

namespace quorstat::service {

using Record = std::map<std::string, std::string, std::less<>>;

// A plan-list reply taken apart: 1|TOTAL|COUNT|STAMP|SUMMARY#PLAN$PLAN$...
struct ListReply {
    char status = 0;
    int total = 0;
    int count = 0;
    std::string stamp;
    Record summary;
    std::vector<Record> plans;
};

// Uploads plans and reads plan replies with code of its own. The default plan is a 三星单选
// plan on 重庆 前三 for the issues 024 to 026 of 2013-05-01 (drawn 10:00, 10:10, 10:20).
class PlanServiceTest : public ServiceTest {
protected:
    static constexpr const char* kOmit = "<omit>";
    using Fields = std::vector<std::pair<std::string, std::string>>;

    // The default upload fields with `changes` applied: a value replaces the field's, kOmit
    // drops it, a new name is appended.
    static std::string uploadBody(const TestSession& session, const Fields& changes = {});
    std::string upload(const TestSession& session, const Fields& changes = {});
    std::string ownList(const TestSession& session, const std::string& extra = "");
    std::string sharedList(const TestSession& viewer, const std::string& owner,
                           const std::string& extra = "");

    static ListReply parseList(const std::string& reply);
    static Record parseRecord(std::string_view text);
    static std::vector<Record> parseRecords(std::string_view text, char separator);

    // The seeded draw of 重庆 and the first three of its digits.
    static std::string drawOf(int issue, int lotteryId = 1010);
    static std::string front3(int issue) { return drawOf(issue).substr(0, 3); }
    void setClock(const std::string& time);
};

}  // namespace quorstat::service
