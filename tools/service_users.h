#pragma once

#include <httplib.h>

#include <ctime>
#include <string>

#include "net/request_catalogue.h"
#include "service/service_app.h"

// Users with plans on 重庆 三星单选 in an in-process stand-in service whose clock stands before the
// draw of 130501024 (2013-05-01 10:00). Requests are built by the client's own catalogue and go
// over HTTP, as the client's would. Throws std::runtime_error when the service refuses one.
class ServiceUsers {
public:
    static constexpr int kIssue = 130501024;
    static constexpr int kLaterIssue = 130501030;

    explicit ServiceUsers(quorstat::service::ServiceApp& service);

    // Returns the user's id.
    std::int64_t add(const std::string& name, const std::string& password);
    // One plan of blank-separated three-digit numbers running `issues` issues from `firstIssue`.
    void uploadPlan(const std::string& name, const std::string& password, std::string numbers,
                    int count, int firstIssue, int issues);
    // `hits` plans on every number, which hit, and `misses` plans on one number, for 130501024;
    // with `runningIssues`, one more plan that runs that many issues from 130501030 (11:00).
    void uploadPlans(const std::string& name, const std::string& password, int hits, int misses,
                     int runningIssues = 0);
    // Moves the service clock and makes the draws up to then, which settles the plans.
    void setClock(const char* time);
    // Runs the daily ranking job now through the control endpoint, scoring every day before the
    // service clock's.
    void makeRankings();

    // Forty users 高手01..高手40 (password "secret") with one to six settled plans each, from no
    // hit to all hits, running plans for every fifth and seventh, one plan of demo's that hits,
    // and the clock after the draw.
    void seedDemoList();

private:
    std::string logIn(const std::string& name, const std::string& password);
    std::string send(const quorstat::ServiceRequest& request);

    quorstat::service::ServiceApp& service_;
    httplib::Client http_;
};
