#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/saved_accounts.h"

namespace quorstat {

inline constexpr std::size_t kMaxUserNameBytes = 16;
inline constexpr std::size_t kMaxPasswordBytes = 20;

std::string RemoveSpaces(std::string_view text);

// The message that refuses a login before it is sent, or nothing when the input may be sent.
// Limits count bytes of the ANSI code page.
std::optional<std::string> CheckLoginInput(std::string_view userName, std::string_view password);

struct LoginReply {
    enum class Outcome { Failed, Refused, Accepted };
    Outcome outcome = Outcome::Failed;
    std::string message;  // the service's text when refused
    std::string token;
    int tailPersonal = 0;
    int tailMode = 0;
    bool adminMenus = false;
};

// "1|token|…|PGpMsgTail=1&CGpMsgTail=3&CGpMsgTailNo=1&DM=1&"; refusals carry their message.
LoginReply ParseLoginReply(std::string_view reply);

inline constexpr std::string_view kLoginFailedMessage = "登录失败，请重试";

// One entry per user name, the latest login last; the password only when it is to be remembered.
void RememberAccount(SavedAccounts& accounts, std::string_view userName, std::string_view password,
                     bool rememberPassword, bool autoLogin);

// The saved names other than the current one, newest first, as the account menu lists them.
std::vector<std::string> AccountMenuNames(const SavedAccounts& accounts,
                                          std::string_view currentUser);

}  // namespace quorstat
