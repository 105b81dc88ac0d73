#pragma once

#include <ctime>
#include <filesystem>
#include <optional>
#include <string>

#include "share/rankings.h"

namespace quorstat {

// The last data of a ranking kind, kept for the rest of the day: "userranking_<kind>.tmp".
struct RankingCache {
    static constexpr std::uint32_t kMagic = 0x013379CA;

    std::string userName;
    std::time_t dataTime = 0;  // server time of the data
    int lotteryId = 0;
    int playId = 0;
    RankingPanels panels;
};

std::filesystem::path RankingCachePath(const std::filesystem::path& dataDir, int kind);

std::string EncodeRankingCache(const RankingCache& cache);
// None unless the whole file reads.
std::optional<RankingCache> DecodeRankingCache(std::string_view bytes);

// Whether a cache may stand in for the service: the same user, lottery and play, data of the
// server's current day.
bool RankingCacheValid(const RankingCache& cache, std::string_view userName, int lotteryId,
                       int playId, std::time_t serverTime);

// The cache if its file reads and is valid for the viewer now.
std::optional<RankingCache> LoadRankingCache(const std::filesystem::path& path,
                                             std::string_view userName, int lotteryId, int playId,
                                             std::time_t serverTime);
bool SaveRankingCache(const std::filesystem::path& path, const RankingCache& cache);

}  // namespace quorstat
