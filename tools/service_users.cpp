#include "service_users.h"

#include <fmt/format.h>

#include <mutex>
#include <stdexcept>

#include "core/app_state.h"
#include "core/text_codec.h"
#include "net/date_time.h"
#include "service/civil_time.h"

namespace {

constexpr const char* kBetTime = "2013-05-01 09:15:00";
constexpr const char* kAfterTheDraw = "2013-05-01 10:25:00";

std::time_t betTime() {
    return quorstat::ParseDateTime(kBetTime).toTimeT();
}

std::string everyNumber() {
    std::string numbers;
    for (int n = 0; n < 1000; ++n)
        numbers += fmt::format("{:03} ", n);
    return numbers;
}

quorstat::PlanUpload planOn(std::string numbers, int count, int firstIssue = ServiceUsers::kIssue,
                            int issues = 1) {
    quorstat::PlanUpload plan;
    plan.positionCodes = "123";
    plan.unitCost = 2;
    plan.prize = 1950;
    plan.firstIssue = firstIssue;
    plan.lastIssue = firstIssue + issues - 1;
    plan.issueCount = issues;
    plan.multiples = "1";
    for (int i = 1; i < issues; ++i)
        plan.multiples += ",1";
    plan.betContent = std::move(numbers);
    plan.betCount = count;
    plan.betTime = betTime();
    plan.share = true;
    return plan;
}

}  // namespace

ServiceUsers::ServiceUsers(quorstat::service::ServiceApp& service)
    : service_(service), http_("127.0.0.1", service.port()) {}

std::int64_t ServiceUsers::add(const std::string& name, const std::string& password) {
    std::lock_guard lock(service_.context().lock);
    return service_.context().accounts.addUser(name, password, false);
}

void ServiceUsers::uploadPlan(const std::string& name, const std::string& password,
                              std::string numbers, int count, int firstIssue, int issues) {
    quorstat::AppState state;
    state.userName = name;
    state.sessionToken = logIn(name, password);
    const quorstat::RequestCatalogue catalogue(state, betTime);
    send(*catalogue.planUpload({"重庆时时彩", "三星", "单选"},
                               planOn(std::move(numbers), count, firstIssue, issues)));
}

void ServiceUsers::uploadPlans(const std::string& name, const std::string& password, int hits,
                               int misses, int runningIssues) {
    quorstat::AppState state;
    state.userName = name;
    state.sessionToken = logIn(name, password);
    const quorstat::RequestCatalogue catalogue(state, betTime);
    const quorstat::LotteryScope scope{"重庆时时彩", "三星", "单选"};
    for (int i = 0; i < hits; ++i)
        send(*catalogue.planUpload(scope, planOn(everyNumber(), 1000)));
    for (int i = 0; i < misses; ++i)
        send(*catalogue.planUpload(scope, planOn("555 ", 1)));
    if (runningIssues > 0)
        send(*catalogue.planUpload(scope, planOn("123 ", 1, kLaterIssue, runningIssues)));
}

void ServiceUsers::setClock(const char* time) {
    auto& context = service_.context();
    std::lock_guard lock(context.lock);
    context.clock.set(*quorstat::service::parseDateTime(time));
    context.catchUp(context.clock.now());
}

void ServiceUsers::makeRankings() {
    const httplib::Headers headers{{"Authorization", "Bearer " + service_.controlToken()}};
    const auto reply = http_.Post("/control/rankings", headers, "", "text/plain");
    if (!reply || !reply->body.starts_with('1'))
        throw std::runtime_error("ranking job refused: " + (reply ? reply->body : std::string()));
}

void ServiceUsers::seedDemoList() {
    for (int i = 1; i <= 40; ++i) {
        const std::string name = fmt::format("高手{:02}", i);
        add(name, "secret");
        const int running = i % 5 == 0 ? 5 : (i % 7 == 0 ? 1 : 0);
        uploadPlans(name, "secret", i % 4, 1 + i % 3, running);
    }
    uploadPlans("demo", "demo123", 1, 0);
    setClock(kAfterTheDraw);
}

std::string ServiceUsers::logIn(const std::string& name, const std::string& password) {
    const quorstat::AppState nobody;
    const std::string reply = send(*quorstat::RequestCatalogue(nobody).login(name, password));
    const std::size_t end = reply.find('|', 2);
    if (!reply.starts_with("1|") || end == std::string::npos)
        throw std::runtime_error("login refused: " + reply);
    return reply.substr(2, end - 2);
}

std::string ServiceUsers::send(const quorstat::ServiceRequest& request) {
    const std::string path =
        std::string(quorstat::kServerPath) + std::string(quorstat::RequestPage(request.type));
    const auto reply =
        http_.Post(path, quorstat::ToAnsi(request.body), "application/x-www-form-urlencoded");
    const std::string text = reply ? quorstat::FromAnsi(reply->body) : std::string();
    if (!text.starts_with('1'))
        throw std::runtime_error(path + " refused: " + text);
    return text;
}
