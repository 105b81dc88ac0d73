#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include "databox/box_kind.h"
#include "databox/plan_bigp_data.h"

namespace quorstat {

inline constexpr std::uint32_t kBoxFileMagic = 0x01337AE0;  // 20151008
// A user's save that did not reach the disk is told, so nobody trusts a file that is not there.
inline constexpr std::string_view kBoxFileWriteFailed = "保存文件失败";

// What a box file is for: only a box of the same kind, lottery and play opens it.
struct BoxScope {
    BoxKind kind = BoxKind::plan;
    std::int32_t lotteryId = 0;
    std::int32_t playId = 0;
};

// The box file: magic, kind, lottery, play, then the nodes depth-first.
std::string WriteBoxFile(const BoxScope& scope, const tagPLANBIGPDATA& root);
// The tree, or nothing for bytes that are not a box file of this scope (older plan-box files
// without the magic included), that are cut or damaged, or nest deeper than kMaxTreeDepth. Every
// node comes back unverified, and the 位置 column shows "-" (the big-base box: the positions).
std::unique_ptr<tagPLANBIGPDATA> ReadBoxFile(std::string_view bytes, const BoxScope& scope);

// Written whole through a temporary file; false when it could not be written.
bool SaveBoxFile(const std::filesystem::path& path, const BoxScope& scope,
                 const tagPLANBIGPDATA& root);
std::unique_ptr<tagPLANBIGPDATA> LoadBoxFile(const std::filesystem::path& path,
                                             const BoxScope& scope);

// "PlanTmp_10101302.dat" or "BigpTmp_10101302.dat" in the data directory.
std::filesystem::path BoxTemporaryFile(const std::filesystem::path& dataDir, const BoxScope& scope);

}  // namespace quorstat
