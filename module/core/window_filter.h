#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quorstat {

// Window titles the QQ group send leaves out, as the service last sent them ("qwf.dat").
struct WindowFilter {
    std::vector<std::string> titles;
    std::string stamp;       // sent back as "ModifyTime"
    std::int32_t value = 0;  // kept unchanged, like `extra`
    std::string extra;

    bool operator==(const WindowFilter&) const = default;
};

inline constexpr std::uint32_t kWindowFilterMagic = 0x01337B3E;  // 20151102

// The filter in force until the service sends one.
WindowFilter DefaultWindowFilter();

// Reads the bytes into `filter`; true when the whole title list was read. Fields after the first
// fault keep what they held.
bool ReadWindowFilter(std::string_view bytes, WindowFilter& filter);
std::string WriteWindowFilter(const WindowFilter& filter);

}  // namespace quorstat
