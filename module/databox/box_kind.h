#pragma once

#include <cstdint>

namespace quorstat {

// The two boxes of the data box window, by the number their files store.
enum class BoxKind : std::int32_t { bigBase = 0, plan = 1 };

}  // namespace quorstat
