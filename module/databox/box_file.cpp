#include "databox/box_file.h"

#include <fmt/format.h>

#include "core/archive_reader.h"
#include "core/archive_writer.h"
#include "core/atomic_file.h"
#include "databox/box_tree.h"

namespace quorstat {

namespace {

void writeNode(ArchiveWriter& out, const tagPLANBIGPDATA& node) {
    out.writeInt32(node.isGroup);
    out.writeInt32(node.enabled);
    out.writeInt32(node.positive);
    out.writeInt32(node.tolerant);
    out.writeInt32(node.toleranceOn);
    out.writeString(node.toleranceText);
    out.writeString(node.name);
    out.writeInt32(node.userId);
    out.writeInt32(node.planId);
    out.writeInt32(node.issue);
    out.writeInt32(node.betCount);
    out.writeInt32(node.verifyState);
    out.writeInt32(node.sharing);
    out.writeString(node.positions);
    out.writeString(node.positionShown);
    out.writeString(node.positionFilter);
    out.writeString(node.numbers());
    out.writeString({});
    out.writeString({});
    out.writeUInt32(static_cast<std::uint32_t>(node.children.size()));
    for (const auto& child : node.children)
        writeNode(out, *child);
}

// Reads one node and its subtree at `level` (the root is level 1); nothing on any fault.
std::unique_ptr<tagPLANBIGPDATA> readNode(ArchiveReader& in, int level, BoxKind kind) {
    if (level > kMaxTreeDepth)
        return nullptr;
    auto node = std::make_unique<tagPLANBIGPDATA>();
    std::string numbers;
    std::string reserved;
    std::uint32_t childCount = 0;
    const bool read = in.readInt32(node->isGroup) && in.readInt32(node->enabled) &&
                      in.readInt32(node->positive) && in.readInt32(node->tolerant) &&
                      in.readInt32(node->toleranceOn) && in.readString(node->toleranceText) &&
                      in.readString(node->name) && in.readInt32(node->userId) &&
                      in.readInt32(node->planId) && in.readInt32(node->issue) &&
                      in.readInt32(node->betCount) && in.readInt32(node->verifyState) &&
                      in.readInt32(node->sharing) && in.readString(node->positions) &&
                      in.readString(node->positionShown) && in.readString(node->positionFilter) &&
                      in.readString(numbers) && in.readRawString(reserved) &&
                      in.readRawString(reserved) && in.readUInt32(childCount);
    // Only groups have members; an item with children is a damaged file.
    if (!read || (!node->group() && childCount != 0))
        return nullptr;
    node->setNumbers(std::move(numbers));
    node->verifyState = 0;
    const bool showPositions = kind == BoxKind::bigBase && !node->group();
    node->positionShown = showPositions ? node->positions : "-";
    // The count is not trusted for a reservation: each child must be there to be read.
    for (std::uint32_t i = 0; i < childCount; ++i) {
        std::unique_ptr<tagPLANBIGPDATA> child = readNode(in, level + 1, kind);
        if (!child)
            return nullptr;
        node->children.push_back(std::move(child));
    }
    return node;
}

}  // namespace

std::string WriteBoxFile(const BoxScope& scope, const tagPLANBIGPDATA& root) {
    ArchiveWriter out;
    out.writeUInt32(kBoxFileMagic);
    out.writeInt32(static_cast<std::int32_t>(scope.kind));
    out.writeInt32(scope.lotteryId);
    out.writeInt32(scope.playId);
    writeNode(out, root);
    return out.bytes();
}

std::unique_ptr<tagPLANBIGPDATA> ReadBoxFile(std::string_view bytes, const BoxScope& scope) {
    ArchiveReader in(bytes);
    std::uint32_t first = 0;
    std::int32_t kind = static_cast<std::int32_t>(BoxKind::plan);
    std::int32_t lotteryId = 0;
    std::int32_t playId = 0;
    // A file without the magic is an older plan-box file: its first value means nothing here.
    if (!in.readUInt32(first) || (first == kBoxFileMagic && !in.readInt32(kind)) ||
        !in.readInt32(lotteryId) || !in.readInt32(playId))
        return nullptr;
    if (kind != static_cast<std::int32_t>(scope.kind) || lotteryId != scope.lotteryId ||
        playId != scope.playId)
        return nullptr;
    std::unique_ptr<tagPLANBIGPDATA> root = readNode(in, 1, scope.kind);
    if (!root || !root->group())
        return nullptr;
    return root;
}

bool SaveBoxFile(const std::filesystem::path& path, const BoxScope& scope,
                 const tagPLANBIGPDATA& root) {
    return WriteFileAtomically(path, WriteBoxFile(scope, root));
}

std::unique_ptr<tagPLANBIGPDATA> LoadBoxFile(const std::filesystem::path& path,
                                             const BoxScope& scope) {
    const std::optional<std::string> bytes = ReadWholeFile(path);
    return bytes ? ReadBoxFile(*bytes, scope) : nullptr;
}

std::filesystem::path BoxTemporaryFile(const std::filesystem::path& dataDir,
                                       const BoxScope& scope) {
    const char* prefix = scope.kind == BoxKind::plan ? "PlanTmp" : "BigpTmp";
    return dataDir / fmt::format("{}_{}{}.dat", prefix, scope.lotteryId, scope.playId);
}

}  // namespace quorstat
