#pragma once

#include "core/app_state.h"
#include "net/request_catalogue.h"

namespace quorstat {

// The names of the current lottery and play, as every scoped request sends them.
LotteryScope CurrentScope(const AppState& state);

}  // namespace quorstat
