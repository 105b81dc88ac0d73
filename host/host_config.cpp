#include "host_config.h"

#include <cstdlib>

#include "core/ini_document.h"

std::string ConfiguredUpdateServer(const std::filesystem::path& settingsFile) {
    if (const char* fromEnvironment = std::getenv("QUORLAN_UPDATE_SERVER"))
        return fromEnvironment;
    return quorstat::IniDocument::Load(settingsFile).getString("Server", "UpdateServer", "");
}
