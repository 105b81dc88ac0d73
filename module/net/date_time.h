#pragma once

#include <ctime>
#include <string>
#include <string_view>

namespace quorstat {

// A local date-time as the service writes it, "YYYY-MM-DD HH:MM:SS".
struct DateTime {
    int year = 2000;
    int month = 1;
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;
    // False when the text could not be read; the value is then 2000-01-01 00:00:00.
    bool read = false;

    std::time_t toTimeT() const;
};

DateTime ParseDateTime(std::string_view text);

// "%Y-%m-%d %H:%M:%S" of a time in the local zone.
std::string FormatDateTime(std::time_t time);

}  // namespace quorstat
