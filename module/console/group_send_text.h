#pragma once

#include <string>
#include <string_view>

#include "core/qq_send_config.h"

namespace quorstat {

inline constexpr std::string_view kPlanTailLine = "以上方案由『Norvane』投注统计系统自动发送！";
inline constexpr std::string_view kLongCustomTailLine =
    "以上信息由『Norvane』投注统计系统发送，所发内容由QQ本人负责。";
inline constexpr std::string_view kShortCustomTailLine = "以上信息由『Norvane』投注统计系统发送。";

// A text as it goes out: full-width spaces become spaces, white space at both ends goes.
std::string TrimmedSendText(std::string_view text);

// The plan text with the enabled extra line and, for a personal tail, the plan tail line.
std::string PlanSendText(std::string text, const tagCONFIG_QQSEND& general, int tailPersonal);
// A typed text with the tail line the login asked for (tail mode 2 short, others long, 0 none).
std::string CustomSendText(std::string text, int tailMode);

}  // namespace quorstat
