#pragma once

#include <ctime>

#include "scoped_env.h"

namespace quorstat::testing {

// Sets TZ for the lifetime of the object and puts back what was there before.
class ScopedTimeZone {
public:
    explicit ScopedTimeZone(const char* zone) : zone_("TZ", zone) { ::tzset(); }

private:
    // Declared first, so destroyed last: rereads TZ once zone_ has put it back.
    struct Reread {
        ~Reread() { ::tzset(); }
    } reread_;
    ScopedEnv zone_;
};

}  // namespace quorstat::testing
