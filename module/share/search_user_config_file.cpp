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
    std::string image = WriteSearchUserConfig(config);
    if (image == savedImage_)
        return true;
    if (!WriteFileAtomically(file_, image))
        return false;
    savedImage_ = std::move(image);
    return true;
}

}  // namespace quorstat
