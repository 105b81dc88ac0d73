#pragma once

#include "core/ini_document.h"
#include "core/settings.h"

namespace quorstat {

// config.ini holds the settings and the current lottery and play. Every key is read with its
// default and brought into its range; the Windows XP look has its own plan-text font defaults.
void LoadSettings(const IniDocument& ini, bool windowsXp, Settings& settings, int& lotteryId,
                  int& playId);

// Sets every key, section by section in a fixed order, so a removed key comes back; the other
// lines of the document stay as they were.
void StoreSettings(IniDocument& ini, const Settings& settings, int lotteryId, int playId);

}  // namespace quorstat
