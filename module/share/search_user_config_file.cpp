#include "share/search_user_config_file.h"

#include "core/atomic_file.h"

namespace quorstat {

SearchUserConfigFile::SearchUserConfigFile(std::filesystem::path file)
    : file_(std::move(file)), savedImage_(WriteSearchUserConfig({})) {}

tagSEARCHUSERCONFIG SearchUserConfigFile::load() {
    const auto bytes = ReadWholeFile(file_);
    const auto read = bytes ? ReadSearchUserConfig(*bytes) : std::nullopt;
    const tagSEARCHUSERCONFIG inForce = read.value_or(tagSEARCHUSERCONFIG{});
    savedImage_ = WriteSearchUserConfig(inForce);
    return inForce;
}

bool SearchUserConfigFile::save(const tagSEARCHUSERCONFIG& config) {
    return WriteFileIfChanged(file_, WriteSearchUserConfig(config), savedImage_);
}

}  // namespace quorstat
