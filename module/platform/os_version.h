#pragma once

#include <string_view>

namespace quorstat {

// The system version sent at login as "osname", and whether the Windows XP look applies (the
// smaller plan-text font and the XP geometry). That look is for Windows XP itself only.
struct OsVersion {
    int major = 0;
    int minor = 0;
    bool windowsXp = false;
};

// The major.minor of a Linux kernel release such as "6.1.0-18-amd64"; never Windows XP, whatever
// the numbers.
OsVersion OsVersionFromKernelRelease(std::string_view release);

}  // namespace quorstat
