#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quorstat::service {

// A request body as the client writes it: fields split at "&", each name split from its value at
// the first "=", nothing URL-decoded. Names are matched without regard to case because the client
// spells some of them differently from request to request ("UserName", "Username").
class FormBody {
public:
    explicit FormBody(std::string_view body);

    // The first field of that name.
    std::optional<std::string_view> value(std::string_view name) const;
    // These throw PageError when the field is missing or malformed.
    std::string_view required(std::string_view name) const;
    std::int64_t requiredInteger(std::string_view name, std::int64_t min, std::int64_t max) const;
    std::optional<std::int64_t> optionalInteger(std::string_view name, std::int64_t min,
                                                std::int64_t max) const;

private:
    std::vector<std::pair<std::string, std::string>> fields_;
};

}  // namespace quorstat::service
