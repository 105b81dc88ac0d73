#include "core/app_paths.h"

#include <unistd.h>

#include <cstdlib>
#include <system_error>

namespace quorstat {
namespace {

bool isWritableDir(const std::filesystem::path& dir) {
    return ::access(dir.c_str(), W_OK) == 0;
}

std::filesystem::path chooseDataDir(const std::filesystem::path& appDir) {
    if (const char* chosen = std::getenv("QUORSTAT_DATA_DIR"); chosen && *chosen) return chosen;
    const auto besideProgram = appDir / "Data";
    std::error_code error;
    if (std::filesystem::is_directory(besideProgram, error))
        return isWritableDir(besideProgram) ? besideProgram : UserDataDir();
    return isWritableDir(appDir) ? besideProgram : UserDataDir();
}

}  // namespace

std::filesystem::path UserDataDir() {
    if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg)
        return std::filesystem::path(xdg) / "Quorstat" / "Data";
    const char* home = std::getenv("HOME");
    return std::filesystem::path(home ? home : "/tmp") / ".local" / "share" / "Quorstat" / "Data";
}

AppPaths AppPaths::ForAppDir(const std::filesystem::path& appDir) {
    AppPaths paths;
    paths.appDir = appDir;
    paths.dataDir = chooseDataDir(appDir);
    paths.userFile = paths.dataDir / "ud.dat";
    paths.filterFile = paths.dataDir / "qwf.dat";
    paths.settingsFile = paths.dataDir / "config.ini";
    paths.sendFile = paths.dataDir / "qs.dat";
    paths.sendConfigFile = paths.dataDir / "qsc.dat";
    paths.logFile = paths.dataDir / "LOG.log";
    paths.soundDir = paths.dataDir / "Sound";
    return paths;
}

bool AppPaths::createDataDir() const {
    std::error_code error;
    std::filesystem::create_directories(dataDir, error);
    return std::filesystem::is_directory(dataDir, error);
}

}  // namespace quorstat
