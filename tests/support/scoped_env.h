#pragma once

#include <stdlib.h>

#include <optional>
#include <string>

namespace quorstat::testing {

// Sets (or, with no value, removes) an environment variable for the lifetime of the object and
// puts back what was there before.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const std::optional<std::string>& value) : name_(name) {
        if (const char* current = ::getenv(name))
            previous_ = current;
        set(value);
    }
    ~ScopedEnv() { set(previous_); }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    void set(const std::optional<std::string>& value) const {
        if (value)
            ::setenv(name_, value->c_str(), 1);
        else
            ::unsetenv(name_);
    }

    const char* name_;
    std::optional<std::string> previous_;
};

}  // namespace quorstat::testing
