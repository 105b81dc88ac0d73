#pragma once

#include <gtest/gtest.h>
#include <httplib.h>

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

#include "service/service_app.h"

namespace quorstat::service {

struct TestSession {
    std::string name;
    std::string token;
};

// A service on a free loopback port with its own database, a stopped virtual clock at
// 2013-05-01 09:15:00 and a real-time clock the test moves; requests go over real HTTP with
// bodies written and replies read here, independently of the service's own code.
class ServiceTest : public ::testing::Test {
protected:
    static constexpr const char* kStartTime = "2013-05-01 09:15:00";

    void SetUp() override;
    void TearDown() override;

    ServiceOptions defaultOptions() const;
    // Starts a fresh service with these options on a new database.
    void restartService(const ServiceOptions& options);
    // Starts the service again on the database it has.
    void reopenService();

    // Bodies and replies in UTF-8; the GB18030 step happens here.
    std::string post(const std::string& page, const std::string& body);
    std::string get(const std::string& path);
    int postStatus(const std::string& page, const std::string& rawBody);
    std::string postRaw(const std::string& page, const std::string& rawBody);

    static std::string base64(std::string_view bytes);
    static std::string timeToken();
    static std::string loginBody(const std::string& name, const std::string& password);
    static std::string prefix(const TestSession& session);
    static std::string lotteryScope(const std::string& lottery = "重庆时时彩");

    std::int64_t addUser(const std::string& name, const std::string& password,
                         bool manager = false);
    TestSession login(const std::string& name, const std::string& password);
    // Posts to a control endpoint with the service's control token.
    std::string controlPost(const std::string& path, const std::string& body);
    // Sets or advances the service clock through the control endpoint.
    std::string controlClock(const std::string& body) {
        return controlPost("/control/clock", body);
    }
    httplib::Headers controlHeaders() const;
    void advanceRealTime(std::int64_t milliseconds) { realMillis_ += milliseconds; }

    std::unique_ptr<ServiceApp> app_;

private:
    httplib::Result send(const std::string& page, const std::string& rawBody);

    std::filesystem::path directory_;
    int databaseCount_ = 0;
    std::atomic<std::int64_t> realMillis_{1'700'000'000'000};
};

}  // namespace quorstat::service
