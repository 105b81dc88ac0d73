#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quorstat {

// One saved account; the password is empty unless "记住密码" was ticked at that login.
struct tagCONFIG_LONIN {
    std::string userName;
    std::string password;

    bool operator==(const tagCONFIG_LONIN&) const = default;
};

// The saved accounts of "ud.dat", oldest first, bound to the machine they were saved on.
struct SavedAccounts {
    bool rememberPassword = true;
    bool autoLogin = false;
    std::vector<tagCONFIG_LONIN> entries;

    bool operator==(const SavedAccounts&) const = default;
};

inline constexpr std::uint32_t kSavedAccountsMagic = 0x01337958;  // 20150616

// Reads what the bytes hold into `accounts`; values after the first fault keep what they held.
// Saved on another machine (another label), the list is dropped and the flags are reset.
void ReadSavedAccounts(std::string_view bytes, std::string_view machineLabel,
                       SavedAccounts& accounts);
std::string WriteSavedAccounts(const SavedAccounts& accounts, std::string_view machineLabel);

}  // namespace quorstat
