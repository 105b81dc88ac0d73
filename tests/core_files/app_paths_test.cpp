#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "core/app_paths.h"
#include "scoped_env.h"
#include "temp_dir.h"

namespace quorstat {
namespace {

using testing::ScopedEnv;

struct LayoutCase {
    const char* name;
    std::vector<const char*> dirs;  // made under the root; the program runs from root/bin
    std::optional<std::string> dataOverride;
    const char* imageDir;
    const char* soundDir;
    const char* dataDir;
};

TEST(AppPaths, PlacesPicturesAndUserFoldersByLayout) {
    const std::vector<LayoutCase> cases = {
        {"copied program directory", {"bin/Image"}, {}, "bin/Image", "bin/Sound", "bin/Data"},
        {"bare program directory", {"bin"}, {}, "bin/Image", "bin/Sound", "bin/Data"},
        {"installed, program directory writable",
         {"bin", "share/quorstat/Image"},
         {},
         "share/quorstat/Image",
         "xdg/Quorstat/Sound",
         "xdg/Quorstat/Data"},
        {"pictures beside the program win",
         {"bin/Image", "share/quorstat/Image"},
         {},
         "bin/Image",
         "bin/Sound",
         "bin/Data"},
        {"installed with the data directory chosen",
         {"bin", "share/quorstat/Image"},
         "chosen",
         "share/quorstat/Image",
         "chosen/Sound",
         "chosen"},
    };
    for (const LayoutCase& c : cases) {
        SCOPED_TRACE(c.name);
        testing::TempDir root;
        for (const char* dir : c.dirs)
            std::filesystem::create_directories(root / dir);
        const ScopedEnv xdg("XDG_DATA_HOME", (root / "xdg").string());
        const ScopedEnv data(
            "QUORSTAT_DATA_DIR",
            c.dataOverride ? std::optional((root / *c.dataOverride).string()) : std::nullopt);
        const AppPaths paths = AppPaths::ForAppDir(root / "bin/");
        EXPECT_EQ(paths.imageDir, root / c.imageDir);
        EXPECT_EQ(paths.soundDir, root / c.soundDir);
        EXPECT_EQ(paths.dataDir, root / c.dataDir);
        EXPECT_EQ(paths.settingsFile, root / c.dataDir / "config.ini");
    }
}

}  // namespace
}  // namespace quorstat
