#pragma once

#include <filesystem>

namespace quorstat {

// The separate updater that a newer release is handed to, beside the program.
#if defined(_WIN32)
inline constexpr const char* kUpgraderFileName = "Upgrader.exe";
#else
inline constexpr const char* kUpgraderFileName = "Upgrader";
#endif

// Where the program's files live: beside the executable, or in the user's data directory when the
// program directory is not writable (an installed copy). QUORSTAT_DATA_DIR overrides both, for
// tests and for running several copies side by side.
struct AppPaths {
    std::filesystem::path appDir;
    std::filesystem::path dataDir;
    std::filesystem::path userFile;
    std::filesystem::path filterFile;
    std::filesystem::path settingsFile;
    std::filesystem::path sendFile;
    std::filesystem::path sendConfigFile;
    std::filesystem::path logFile;
    // The wave files the user may choose for notices; in the data directory, which the user can
    // always write, also when the program directory is read-only.
    std::filesystem::path soundDir;

    static AppPaths ForAppDir(const std::filesystem::path& appDir);
    // Creates the data directory; false when that failed (reads then fail quietly).
    bool createDataDir() const;
};

std::filesystem::path UserDataDir();

}  // namespace quorstat
