#include "service/control_access.h"

#include <fcntl.h>
#include <httplib.h>
#include <openssl/crypto.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <stdexcept>

#include "core/text_codec.h"
#include "service/random_token.h"
#include "service/reply_writer.h"

namespace quorstat::service {
namespace {

constexpr std::string_view kBearer = "Bearer ";

std::runtime_error fileError(const std::string& path) {
    return std::runtime_error("cannot write the control token file " + path + ": " +
                              std::strerror(errno));
}

bool sameSecret(std::string_view a, std::string_view b) {
    return a.size() == b.size() && CRYPTO_memcmp(a.data(), b.data(), a.size()) == 0;
}

}  // namespace

ControlAccess::ControlAccess(std::string tokenPath)
    : tokenPath_(std::move(tokenPath)), token_(randomToken(32)) {}

ControlAccess::~ControlAccess() {
    withdraw();
}

// Written beside and renamed over the old file, so a reader never sees half a token, and created
// exclusively with mode 0600, so no link planted at the temporary name is followed.
void ControlAccess::publish() {
    const std::string temporary = tokenPath_ + ".new" + std::to_string(::getpid());
    ::unlink(temporary.c_str());
    const int file = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW, 0600);
    if (file < 0)
        throw fileError(temporary);
    const std::string text = token_ + "\n";
    const bool written =
        ::write(file, text.data(), text.size()) == static_cast<ssize_t>(text.size());
    if (::close(file) != 0 || !written || ::rename(temporary.c_str(), tokenPath_.c_str()) != 0) {
        const std::runtime_error error = fileError(tokenPath_);
        ::unlink(temporary.c_str());
        throw error;
    }
    published_ = true;
}

void ControlAccess::withdraw() {
    if (!published_)
        return;
    published_ = false;
    std::ifstream file(tokenPath_);
    std::string text;
    std::getline(file, text);
    if (text == token_)
        ::unlink(tokenPath_.c_str());
}

ControlAccess::Handler ControlAccess::guard(Answer answer) const {
    return [this, answer = std::move(answer)](const httplib::Request& request,
                                              httplib::Response& response) {
        const std::optional<std::string> refused = refusal(request);
        if (refused)
            response.status = 403;
        response.set_content(ToAnsi(refused ? ReplyWriter::failure(*refused) : answer(request)),
                             kReplyContentType);
    };
}

bool ControlAccess::isLoopback(std::string_view address) {
    if (address.starts_with("::ffff:"))
        address.remove_prefix(7);
    return address == "::1" || address.starts_with("127.");
}

std::optional<std::string> ControlAccess::refusal(const httplib::Request& request) const {
    if (!isLoopback(request.remote_addr))
        return "只允许本机访问";
    if (request.has_header("Origin") || request.has_header("Referer"))
        return "不接受网页发出的控制请求";
    const std::string authorization = request.get_header_value("Authorization");
    if (!authorization.starts_with(kBearer) ||
        !sameSecret(std::string_view(authorization).substr(kBearer.size()), token_))
        return "控制令牌不正确";
    return std::nullopt;
}

}  // namespace quorstat::service
