#include "share/ranking_cache.h"

#include "core/archive_reader.h"
#include "core/archive_writer.h"
#include "core/atomic_file.h"
#include "net/date_time.h"

namespace quorstat {

namespace {

// Records of a panel beyond this make the file a damaged one.
constexpr std::uint32_t kMaxCachedRecords = 10000;

void writeItem(ArchiveWriter& out, const tagRANKINGITEM& item) {
    out.writeInt32(item.lotteryId);
    out.writeInt32(item.playId);
    out.writeString(item.date);
    out.writeString(item.userName);
    out.writeFloat64(item.value);
    out.writeInt32(item.rank);
    out.writeInt32(item.previousRank);
    out.writeInt32(item.userId);
    out.writeInt32(item.sharing);
    out.writeString(item.spare);
}

bool readItem(ArchiveReader& in, tagRANKINGITEM& item) {
    return in.readInt32(item.lotteryId) && in.readInt32(item.playId) && in.readString(item.date) &&
           in.readString(item.userName) && in.readFloat64(item.value) && in.readInt32(item.rank) &&
           in.readInt32(item.previousRank) && in.readInt32(item.userId) &&
           in.readInt32(item.sharing) && in.readString(item.spare);
}

bool sameDay(std::time_t a, std::time_t b) {
    return FormatDateTime(a).substr(0, 10) == FormatDateTime(b).substr(0, 10);
}

}  // namespace

std::filesystem::path RankingCachePath(const std::filesystem::path& dataDir, int kind) {
    return dataDir / ("userranking_" + std::to_string(kind) + ".tmp");
}

std::string EncodeRankingCache(const RankingCache& cache) {
    ArchiveWriter out;
    out.writeUInt32(RankingCache::kMagic);
    out.writeString(cache.userName);
    out.writeString(FormatDateTime(cache.dataTime));
    out.writeInt32(cache.lotteryId);
    out.writeInt32(cache.playId);
    for (const auto& panel : cache.panels) {
        out.writeUInt32(static_cast<std::uint32_t>(panel.size()));
        for (const tagRANKINGITEM& item : panel)
            writeItem(out, item);
    }
    return out.bytes();
}

std::optional<RankingCache> DecodeRankingCache(std::string_view bytes) {
    ArchiveReader in(bytes);
    RankingCache cache;
    std::string time;
    if (!in.expectMagic(RankingCache::kMagic) || !in.readString(cache.userName) ||
        !in.readString(time) || !in.readInt32(cache.lotteryId) || !in.readInt32(cache.playId))
        return std::nullopt;
    const DateTime dataTime = ParseDateTime(time);
    if (!dataTime.read)
        return std::nullopt;
    cache.dataTime = dataTime.toTimeT();
    for (auto& panel : cache.panels) {
        std::uint32_t count = 0;
        if (!in.readUInt32(count) || count > kMaxCachedRecords)
            return std::nullopt;
        panel.resize(count);
        for (tagRANKINGITEM& item : panel)
            if (!readItem(in, item))
                return std::nullopt;
    }
    return cache;
}

bool RankingCacheValid(const RankingCache& cache, std::string_view userName, int lotteryId,
                       int playId, std::time_t serverTime) {
    return cache.userName == userName && cache.lotteryId == lotteryId && cache.playId == playId &&
           sameDay(cache.dataTime, serverTime);
}

std::optional<RankingCache> LoadRankingCache(const std::filesystem::path& path,
                                             std::string_view userName, int lotteryId, int playId,
                                             std::time_t serverTime) {
    const auto bytes = ReadWholeFile(path);
    if (!bytes)
        return std::nullopt;
    auto cache = DecodeRankingCache(*bytes);
    if (!cache || !RankingCacheValid(*cache, userName, lotteryId, playId, serverTime))
        return std::nullopt;
    return cache;
}

bool SaveRankingCache(const std::filesystem::path& path, const RankingCache& cache) {
    return WriteFileAtomically(path, EncodeRankingCache(cache));
}

}  // namespace quorstat
