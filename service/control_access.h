#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace httplib {
struct Request;
struct Response;
}  // namespace httplib

namespace quorstat::service {

// Who may use the control endpoints (the clock, the ranking job): a program on the machine itself
// that shows the token the service writes at start into a file only its user can read. A request
// that carries "Origin" or "Referer" comes from a web page and is refused whatever it shows.
class ControlAccess {
public:
    // The reply in UTF-8 to a request that passed.
    using Answer = std::function<std::string(const httplib::Request&)>;
    using Handler = std::function<void(const httplib::Request&, httplib::Response&)>;

    explicit ControlAccess(std::string tokenPath);
    ~ControlAccess();
    ControlAccess(const ControlAccess&) = delete;
    ControlAccess& operator=(const ControlAccess&) = delete;

    const std::string& token() const { return token_; }
    const std::string& tokenPath() const { return tokenPath_; }
    // Writes the token file, readable by the service's user only; throws std::runtime_error.
    void publish();
    // Removes the token file while it still holds this service's token.
    void withdraw();

    // Answers with `answer` what passes, and HTTP 403 with the reason otherwise.
    Handler guard(Answer answer) const;

    static bool isLoopback(std::string_view address);

private:
    std::optional<std::string> refusal(const httplib::Request& request) const;

    std::string tokenPath_;
    std::string token_;
    bool published_ = false;
};

}  // namespace quorstat::service
