#include "core/settings.h"

namespace quorstat {

void ApplyPlanTextFontDefaults(Settings& settings, bool windowsXp) {
    settings.planTextFont.height = windowsXp ? 12 : 19;
    settings.planTextFont.faceName = windowsXp ? "宋体" : "微软雅黑";
}

}  // namespace quorstat
