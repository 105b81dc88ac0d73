// Ranking replies of the three pages and the ranking cache file.
#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/text_codec.h"
#include "share/ranking_cache.h"
#include "share/rankings.h"

namespace {

void readReply(std::string_view reply) {
    for (const auto page : {quorstat::RankingPage::Points, quorstat::RankingPage::Online,
                            quorstat::RankingPage::Fans}) {
        quorstat::RankingPanels panels;
        quorstat::ReadRankingReply(reply, page, {1010, 1302, "2013-05-02"}, panels);
        // A panel never holds more records than "$" ends in the reply, plus the own entry.
        const auto records = static_cast<std::size_t>(std::count(reply.begin(), reply.end(), '$'));
        for (const auto& panel : panels)
            if (panel.size() > records + 1)
                __builtin_trap();
    }
}

void readCache(std::string_view bytes) {
    const auto cache = quorstat::DecodeRankingCache(bytes);
    if (!cache)
        return;
    // What loads writes back to a file that loads with the same records.
    const auto again = quorstat::DecodeRankingCache(quorstat::EncodeRankingCache(*cache));
    if (!again)
        __builtin_trap();
    for (std::size_t panel = 0; panel < cache->panels.size(); ++panel)
        if (again->panels[panel].size() != cache->panels[panel].size())
            __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    readReply(bytes);
    readReply(quorstat::FromAnsi(bytes));
    readCache(bytes);
    return 0;
}
