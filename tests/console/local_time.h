#pragma once

#include <ctime>

#include "net/date_time.h"

namespace quorstat::test {

// A local date-time as the server's clock would read it.
inline std::time_t LocalTime(int year, int month, int day, int hour, int minute, int second) {
    return DateTime{year, month, day, hour, minute, second, true}.toTimeT();
}

}  // namespace quorstat::test
