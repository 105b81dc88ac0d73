#include "service_fixture.h"

#include <httplib.h>

#include <random>
#include <regex>

#include "core/text_codec.h"
#include "service/password_digest.h"

namespace quorstat::service {

void ServiceTest::SetUp() {
    std::random_device random;
    directory_ = std::filesystem::temp_directory_path() /
                 ("quorstat-service-test-" + std::to_string(random()));
    std::filesystem::create_directories(directory_);
    restartService(defaultOptions());
}

void ServiceTest::TearDown() {
    app_.reset();
    std::filesystem::remove_all(directory_);
}

ServiceOptions ServiceTest::defaultOptions() const {
    ServiceOptions options;
    options.port = 0;
    options.clockStart = parseDateTime(kStartTime);
    options.clockSpeed = 0.0;
    options.seed = 7;
    // Cheap hashes: the tests log in and add users by the hundred.
    options.passwordIterations = 1000;
    return options;
}

void ServiceTest::restartService(const ServiceOptions& options) {
    app_.reset();
    ServiceOptions withDatabase = options;
    withDatabase.databasePath =
        (directory_ / ("service" + std::to_string(++databaseCount_) + ".db")).string();
    app_ = std::make_unique<ServiceApp>(withDatabase, [this] { return realMillis_.load(); });
    ASSERT_TRUE(app_->start());
}

void ServiceTest::reopenService() {
    const ServiceOptions options = app_->context().options;
    app_.reset();
    app_ = std::make_unique<ServiceApp>(options, [this] { return realMillis_.load(); });
    ASSERT_TRUE(app_->start());
}

httplib::Result ServiceTest::send(const std::string& page, const std::string& rawBody) {
    httplib::Client client("127.0.0.1", app_->port());
    return client.Post(("/BetInfo1/release/" + page).c_str(), rawBody,
                       "application/x-www-form-urlencoded");
}

std::string ServiceTest::postRaw(const std::string& page, const std::string& rawBody) {
    const httplib::Result result = send(page, rawBody);
    return result ? FromAnsi(result->body) : "<no reply>";
}

int ServiceTest::postStatus(const std::string& page, const std::string& rawBody) {
    const httplib::Result result = send(page, rawBody);
    return result ? result->status : -1;
}

std::string ServiceTest::post(const std::string& page, const std::string& body) {
    return postRaw(page, ToAnsi(body));
}

std::string ServiceTest::get(const std::string& path) {
    httplib::Client client("127.0.0.1", app_->port());
    const auto result = client.Get(path.c_str(), controlHeaders());
    if (!result)
        return "<no reply>";
    return result->status == 200 ? FromAnsi(result->body)
                                 : "HTTP " + std::to_string(result->status);
}

std::string ServiceTest::base64(std::string_view bytes) {
    static constexpr char kAlphabet[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string text;
    for (std::size_t i = 0; i < bytes.size(); i += 3) {
        const std::size_t count = std::min<std::size_t>(3, bytes.size() - i);
        unsigned group = 0;
        for (std::size_t j = 0; j < 3; ++j)
            group = (group << 8) | (j < count ? static_cast<unsigned char>(bytes[i + j]) : 0u);
        for (std::size_t j = 0; j < count + 1; ++j)
            text += kAlphabet[(group >> (18 - 6 * j)) & 63];
    }
    return text;
}

// The client's time token carries its own clock, which the service does not compare with its own.
std::string ServiceTest::timeToken() {
    const std::string time = "2024-06-01 08:30:00";
    return "VF=" + base64(time) + "&Ontime=" + time;
}

std::string ServiceTest::loginBody(const std::string& name, const std::string& password) {
    return "Username=" + name + "&Password=" + PasswordDigest(ToAnsi(password)) + "&" +
           timeToken() + "&Ver=" + base64("2.8.1") + "&osname=6.1&screen=1920*1080";
}

std::string ServiceTest::prefix(const TestSession& session) {
    return "UserName=" + session.name + "&OnLogin=" + session.token + "&" + timeToken();
}

std::string ServiceTest::lotteryScope(const std::string& lottery) {
    return "&LotteryName=" + lottery + "&LotteryPlay=三星&LotteryType=单选";
}

std::int64_t ServiceTest::addUser(const std::string& name, const std::string& password,
                                  bool manager) {
    ServiceContext& context = app_->context();
    std::lock_guard lock(context.lock);
    Database::Transaction transaction(context.db);
    const std::int64_t id = context.accounts.addUser(name, password, manager);
    transaction.commit();
    return id;
}

TestSession ServiceTest::login(const std::string& name, const std::string& password) {
    const std::string reply = post("BetUserLogin.asp", loginBody(name, password));
    std::smatch match;
    EXPECT_TRUE(std::regex_match(reply, match, std::regex(R"(1\|([0-9a-f]{32})\|.*)"))) << reply;
    return {name, match.size() > 1 ? match[1].str() : std::string()};
}

std::string ServiceTest::controlPost(const std::string& path, const std::string& body) {
    httplib::Client client("127.0.0.1", app_->port());
    const auto result =
        client.Post(path.c_str(), controlHeaders(), body, "application/x-www-form-urlencoded");
    return result ? FromAnsi(result->body) : "<no reply>";
}

httplib::Headers ServiceTest::controlHeaders() const {
    return {{"Authorization", "Bearer " + app_->controlToken()}};
}

}  // namespace quorstat::service
