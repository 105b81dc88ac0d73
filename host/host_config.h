#pragma once

#include <filesystem>
#include <string>

// The update host, "host:port": QUORLAN_UPDATE_SERVER wins over the [Server] UpdateServer key of
// config.ini. Empty when neither names one, and then there is no release check.
std::string ConfiguredUpdateServer(const std::filesystem::path& settingsFile);
