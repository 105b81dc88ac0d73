#pragma once

#include <optional>
#include <string>
#include <string_view>

// Asks the update host whether a newer release than ours is published. Any failure means "no".
class ReleaseCheck {
public:
    // `updateServer` is "host:port"; empty means there is no update host and no check.
    explicit ReleaseCheck(std::string updateServer, long limitMs = kDefaultLimitMs);

    bool newerReleaseAvailable(std::string_view currentVersion) const;

    // The body of a list file, only when its length was announced and fully received.
    std::optional<std::string> fetchList(std::string_view location) const;

    static constexpr long kDefaultLimitMs = 5000;
    static constexpr std::string_view kFirstLocation = "/BetUpdate/Package1/";
    static constexpr std::string_view kSecondLocation = "/BetUpdate/Package2/";

private:
    std::string updateServer_;
    long limitMs_;
};

// Compares the first lines of the two list files as text, the way versions were always compared.
bool IsNewerRelease(const std::optional<std::string>& firstList,
                    const std::optional<std::string>& secondList, std::string_view currentVersion);
