#include "core/app_paths.h"

#include <unistd.h>

#include <cstdlib>
#include <system_error>

#include "core/install_layout.h"
#include "core/search_history.h"

namespace quorstat {
namespace {

bool isDir(const std::filesystem::path& dir) {
    std::error_code error;
    return std::filesystem::is_directory(dir, error);
}

bool isWritableDir(const std::filesystem::path& dir) {
    return ::access(dir.c_str(), W_OK) == 0;
}

std::filesystem::path installedImageDir(const std::filesystem::path& appDir) {
    return (appDir / kInstalledResourceDir / "Image").lexically_normal();
}

// Pictures beside the program win, so a copied program directory never reads an installed one's.
bool isInstalledCopy(const std::filesystem::path& appDir) {
    return !isDir(appDir / "Image") && isDir(installedImageDir(appDir));
}

// A folder the user writes to, "Data" or "Sound".
std::filesystem::path userFolder(const std::filesystem::path& appDir, bool installed,
                                 const char* name) {
    const auto besideProgram = appDir / name;
    if (installed)
        return UserFilesDir() / name;
    if (isDir(besideProgram))
        return isWritableDir(besideProgram) ? besideProgram : UserFilesDir() / name;
    return isWritableDir(appDir) ? besideProgram : UserFilesDir() / name;
}

}  // namespace

std::filesystem::path UserFilesDir() {
    if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg)
        return std::filesystem::path(xdg) / "Quorstat";
    const char* home = std::getenv("HOME");
    return std::filesystem::path(home ? home : "/tmp") / ".local" / "share" / "Quorstat";
}

AppPaths AppPaths::ForAppDir(const std::filesystem::path& appDir) {
    const bool installed = isInstalledCopy(appDir);
    AppPaths paths;
    paths.appDir = appDir;
    paths.imageDir = installed ? installedImageDir(appDir) : appDir / "Image";
    const char* chosen = std::getenv("QUORSTAT_DATA_DIR");
    if (chosen && *chosen) {
        // A chosen data directory (tests, side-by-side runs) keeps the user's sounds too, so
        // that no two runs share a folder they write.
        paths.dataDir = chosen;
        paths.soundDir = paths.dataDir / "Sound";
    } else {
        paths.dataDir = userFolder(appDir, installed, "Data");
        paths.soundDir = userFolder(appDir, installed, "Sound");
    }
    paths.userFile = paths.dataDir / "ud.dat";
    paths.filterFile = paths.dataDir / "qwf.dat";
    paths.settingsFile = paths.dataDir / "config.ini";
    paths.sendFile = paths.dataDir / "qs.dat";
    paths.sendConfigFile = paths.dataDir / "qsc.dat";
    paths.logFile = paths.dataDir / "LOG.log";
    paths.historyDir = paths.dataDir / kSearchHistoryDir;
    return paths;
}

bool AppPaths::createDataDir() const {
    std::error_code error;
    std::filesystem::create_directories(dataDir, error);
    return std::filesystem::is_directory(dataDir, error);
}

}  // namespace quorstat
