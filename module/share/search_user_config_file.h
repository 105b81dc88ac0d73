#pragma once

#include <filesystem>
#include <string>

#include "share/search_user_config.h"

namespace quorstat {

// "SearchUserConfig.dat" and the settings read from it. A missing, foreign or damaged file gives
// the defaults and stays on disk as it is until the settings change.
class SearchUserConfigFile {
public:
    explicit SearchUserConfigFile(std::filesystem::path file);

    tagSEARCHUSERCONFIG load();
    // Writes the whole file when the settings differ from those in force; false when that failed.
    bool save(const tagSEARCHUSERCONFIG& config);

    const std::filesystem::path& file() const { return file_; }

private:
    std::filesystem::path file_;
    std::string savedImage_;
};

}  // namespace quorstat
