#include "core/settings.h"

namespace quorstat {

void ApplyPlanTextFontDefaults(Settings& settings, int osMajor) {
    const bool olderSystem = osMajor == 5;
    settings.planTextFont.height = olderSystem ? 12 : 19;
    settings.planTextFont.faceName = olderSystem ? "宋体" : "微软雅黑";
}

}  // namespace quorstat
