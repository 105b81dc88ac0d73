#include "share/search_user_config.h"

#include "core/archive_reader.h"
#include "core/archive_writer.h"

namespace quorstat {
namespace {

std::int32_t inRange(std::int32_t value, std::int32_t low, std::int32_t high,
                     std::int32_t fallback) {
    return value >= low && value <= high ? value : fallback;
}

std::int32_t asFlag(std::int32_t value) {
    return value != 0 ? 1 : 0;
}

}  // namespace

std::optional<tagSEARCHUSERCONFIG> ReadSearchUserConfig(std::string_view bytes) {
    ArchiveReader in(bytes);
    in.expectMagic(kSearchUserConfigMagic);
    tagSEARCHUSERCONFIG read;
    in.readInt32(read.detail);
    in.readInt32(read.sortColumn);
    in.readInt32(read.ascending);
    in.readInt32(read.listMode);
    for (std::int32_t& on : read.filterOn)
        in.readInt32(on);
    for (std::string& text : read.filterText)
        in.readString(text);
    if (!in.ok())
        return std::nullopt;

    const tagSEARCHUSERCONFIG defaults;
    read.detail = asFlag(read.detail);
    read.sortColumn = inRange(read.sortColumn, 0, kLastSortColumn, defaults.sortColumn);
    read.ascending = asFlag(read.ascending);
    read.listMode = inRange(read.listMode, 0, 2, defaults.listMode);
    for (std::int32_t& on : read.filterOn)
        on = asFlag(on);
    return read;
}

std::string WriteSearchUserConfig(const tagSEARCHUSERCONFIG& config) {
    ArchiveWriter out;
    out.writeUInt32(kSearchUserConfigMagic);
    out.writeInt32(config.detail);
    out.writeInt32(config.sortColumn);
    out.writeInt32(config.ascending);
    out.writeInt32(config.listMode);
    for (const std::int32_t on : config.filterOn)
        out.writeInt32(on);
    for (const std::string& text : config.filterText)
        out.writeString(text);
    return out.bytes();
}

}  // namespace quorstat
