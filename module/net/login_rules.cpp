#include "net/login_rules.h"

#include <algorithm>

#include "core/ini_document.h"
#include "core/text_codec.h"

namespace quorstat {
namespace {

// Splits off the text up to the next "|"; nothing when there is no further "|".
std::optional<std::string_view> takeField(std::string_view& text) {
    const auto bar = text.find('|');
    if (bar == std::string_view::npos)
        return std::nullopt;
    const std::string_view field = text.substr(0, bar);
    text.remove_prefix(bar + 1);
    return field;
}

void applyPairs(std::string_view pairs, LoginReply& reply) {
    int tailValue = 0;
    int tailNumber = 0;
    while (!pairs.empty()) {
        const auto end = pairs.find('&');
        const std::string_view pair = pairs.substr(0, end);
        pairs.remove_prefix(end == std::string_view::npos ? pairs.size() : end + 1);
        const auto equals = pair.find('=');
        if (equals == std::string_view::npos)
            continue;
        const std::string_view key = pair.substr(0, equals);
        const std::string_view value = pair.substr(equals + 1);
        if (key == "PGpMsgTail")
            reply.tailPersonal = ParseProfileInt(value);
        if (key == "CGpMsgTail")
            tailValue = ParseProfileInt(value);
        if (key == "CGpMsgTailNo")
            tailNumber = ParseProfileInt(value);
        if (key == "DM" && value == "1")
            reply.adminMenus = true;
    }
    reply.tailMode = (tailValue != 0 && tailNumber == 1) ? 2 : tailValue;
}

}  // namespace

std::string RemoveSpaces(std::string_view text) {
    std::string result(text);
    std::erase(result, ' ');
    return result;
}

std::optional<std::string> CheckLoginInput(std::string_view userName, std::string_view password) {
    const std::size_t nameBytes = AnsiLength(userName);
    if (nameBytes == 0 || nameBytes > kMaxUserNameBytes)
        return "用户名输入不正确";
    const std::size_t passwordBytes = AnsiLength(password);
    if (passwordBytes == 0 || passwordBytes > kMaxPasswordBytes)
        return "密码名输入不正确";
    return std::nullopt;
}

LoginReply ParseLoginReply(std::string_view reply) {
    LoginReply result;
    result.message = std::string(kLoginFailedMessage);
    if (reply.size() < 2)
        return result;
    const char status = reply.front();
    reply.remove_prefix(2);
    const auto token = takeField(reply);
    if (!token || token->empty())
        return result;
    if (status != '1') {
        result.outcome = LoginReply::Outcome::Refused;
        result.message = std::string(*token);
        return result;
    }
    result.outcome = LoginReply::Outcome::Accepted;
    result.message.clear();
    result.token = std::string(*token);
    if (takeField(reply))
        applyPairs(reply, result);
    return result;
}

void RememberAccount(SavedAccounts& accounts, std::string_view userName, std::string_view password,
                     bool rememberPassword, bool autoLogin) {
    accounts.rememberPassword = rememberPassword;
    accounts.autoLogin = autoLogin;
    std::erase_if(accounts.entries, [&](const auto& entry) { return entry.userName == userName; });
    accounts.entries.push_back(
        {std::string(userName), rememberPassword ? std::string(password) : std::string()});
}

std::vector<std::string> AccountMenuNames(const SavedAccounts& accounts,
                                          std::string_view currentUser) {
    std::vector<std::string> names;
    for (auto entry = accounts.entries.rbegin(); entry != accounts.entries.rend(); ++entry) {
        if (entry->userName != currentUser)
            names.push_back(entry->userName);
    }
    return names;
}

}  // namespace quorstat
