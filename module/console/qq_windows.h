#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/qq_send_config.h"
#include "platform/desktop_automation.h"

namespace quorstat {

inline constexpr std::string_view kQQWindowClass = "TXGuiFoundation";
// A title with this marker holds several chats in one window, which cannot be sent to.
inline constexpr std::string_view kMergedWindowMarker = "个会话";

// The messenger's chat windows now open: class "TXGuiFoundation", a title that is not empty, not
// the message box and not in `filter`, ordered by title in the ANSI code page. Titles are cut to
// 511 ANSI bytes, as the messenger's own window texts are read.
std::vector<QQITEM> EnumerateQQWindows(DesktopAutomation& desktop,
                                       const std::vector<std::string>& filter);

bool AnyMergedWindow(const std::vector<QQITEM>& windows);

}  // namespace quorstat
