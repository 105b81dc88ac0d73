#include "platform/os_version.h"

#include <charconv>

namespace quorstat {
namespace {

// The leading decimal number of `text`, which is advanced past it and one following ".".
int takeNumber(std::string_view& text) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc())
        return 0;
    text.remove_prefix(static_cast<std::size_t>(end - text.data()));
    if (text.starts_with('.'))
        text.remove_prefix(1);
    return value;
}

}  // namespace

OsVersion OsVersionFromKernelRelease(std::string_view release) {
    OsVersion version;
    version.major = takeNumber(release);
    version.minor = takeNumber(release);
    return version;
}

}  // namespace quorstat
