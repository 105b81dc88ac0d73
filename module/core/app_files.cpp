#include <filesystem>

#include "core/app_state.h"
#include "core/atomic_file.h"
#include "core/ini_document.h"
#include "core/send_config_file.h"
#include "core/settings_file.h"

namespace quorstat {

// A file that is missing or unreadable leaves the values as they are.
void AppState::LoadFilesAtStartup() {
    if (const auto bytes = ReadWholeFile(paths.userFile))
        ReadSavedAccounts(*bytes, machineLabel, savedAccounts);
    LoadSettings(IniDocument::Load(paths.settingsFile), windowsXp, settings, lotteryId, playId);
    if (const auto bytes = ReadWholeFile(paths.sendFile))
        ReadSendConfig(*bytes, generalSendConfig);
    if (const auto bytes = ReadWholeFile(paths.sendConfigFile))
        ReadSendConfig(*bytes, customSendConfig);
    const auto filterBytes = ReadWholeFile(paths.filterFile);
    if (!filterBytes || !ReadWindowFilter(*filterBytes, windowFilter))
        windowFilter = DefaultWindowFilter();
}

void AppState::SaveFilesAtEnd() {
    SaveSettings();
    SaveSendConfigs();
}

// Other sections of the file (the service endpoint) stay as they are.
bool AppState::SaveSettings() const {
    IniDocument ini = IniDocument::Load(paths.settingsFile);
    StoreSettings(ini, settings, lotteryId, playId);
    return ini.save(paths.settingsFile);
}

bool AppState::SaveSavedAccounts() const {
    using std::filesystem::perms;
    return WriteFileAtomically(paths.userFile, WriteSavedAccounts(savedAccounts, machineLabel),
                               perms::owner_read | perms::owner_write);
}

bool AppState::SaveSendConfigs() const {
    const bool general = WriteFileAtomically(paths.sendFile, WriteSendConfig(generalSendConfig));
    const bool custom =
        WriteFileAtomically(paths.sendConfigFile, WriteSendConfig(customSendConfig));
    return general && custom;
}

bool AppState::SaveWindowFilter() const {
    return WriteFileAtomically(paths.filterFile, WriteWindowFilter(windowFilter));
}

}  // namespace quorstat
