#pragma once

#include <filesystem>

namespace quorstat {

// The separate updater that a newer release is handed to, beside the program.
#if defined(_WIN32)
inline constexpr const char* kUpgraderFileName = "Upgrader.exe";
#else
inline constexpr const char* kUpgraderFileName = "Upgrader";
#endif

// Where the program's files live. A copy of the program directory (the build tree, an unpacked
// archive) keeps "Image/", "Data/" and "Sound/" beside the executable, as long as it may write
// there. An installed copy (bin/ with share/quorstat/Image beside it) reads its pictures from the
// shared directory and keeps the user's folders in the user's data directory, even when the
// program directory happens to be writable (~/.local/bin). QUORSTAT_DATA_DIR overrides the data
// directory, for tests and for running several copies side by side.
struct AppPaths {
    std::filesystem::path appDir;
    std::filesystem::path imageDir;
    // The user's own wave files.
    std::filesystem::path soundDir;
    std::filesystem::path dataDir;
    std::filesystem::path userFile;
    std::filesystem::path filterFile;
    std::filesystem::path settingsFile;
    std::filesystem::path sendFile;
    std::filesystem::path sendConfigFile;
    std::filesystem::path logFile;
    // The histories of the input fields.
    std::filesystem::path historyDir;

    static AppPaths ForAppDir(const std::filesystem::path& appDir);
    // Creates the data directory; false when that failed (reads then fail quietly).
    bool createDataDir() const;
};

// $XDG_DATA_HOME/Quorstat (~/.local/share/Quorstat): the user's folders of an installed copy.
std::filesystem::path UserFilesDir();

}  // namespace quorstat
