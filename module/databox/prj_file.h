#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "databox/plan_bigp_data.h"
#include "plan/play_state.h"

namespace quorstat {

// The "大底文件" exchange file: a CBaseFile container of this type whose data part is "!", the
// digits per number, then the records of the tree depth-first.
inline constexpr std::string_view kPrjTypeTag = "BigPFile";
inline constexpr std::int32_t kPrjTypeValue = 0x0132B4DB;  // 20100315

inline constexpr std::string_view kPrjCreateFailed = "创建文件失败";
inline constexpr std::string_view kPrjWriteFailed = "保存文件失败";
inline constexpr std::string_view kPrjBadData = "文件数据格式不正确";
inline constexpr std::string_view kPrjWrongFormat = "文件格式不正确";

// One record of the exchange file. A group's count is its number of children, an item's the
// number of its numbers, whose digits follow the record, one byte per digit.
struct tagBIGPITEM {
    static constexpr std::size_t kSize = 552;
    static constexpr std::size_t kNameSize = 260;
    static constexpr std::uint8_t kGroup = 1;
    static constexpr std::uint8_t kItem = 2;

    std::uint8_t type = kItem;  // on reading, anything but 1 is an item
    std::uint8_t enabled = 1;
    std::uint8_t positive = 1;
    std::uint8_t tolerant = 1;
    std::string name;  // ANSI code page; at most 259 bytes are stored
    std::uint32_t count = 0;
    std::uint32_t extraCount = 0;  // 32-bit values after the record; written 0

    std::array<unsigned char, kSize> encode() const;
    // `bytes` holds at least kSize bytes.
    static tagBIGPITEM decode(std::string_view bytes);
};

// Writes the data part in pieces: one root record holding every item of the tree (at any depth,
// enabled or not, depth-first), each with its numbers. False when the play reads no numbers or
// `sink` failed.
bool WritePrjData(const tagPLANBIGPDATA& root, const PlayState& play,
                  const std::function<bool(std::string_view)>& sink);
// The tree of a data part for this star count; nothing when the data is of another star count,
// cut, malformed, or nests deeper than kMaxTreeDepth.
std::unique_ptr<tagPLANBIGPDATA> ReadPrjData(std::string_view data, int starCount);

// The message to show, empty on success.
std::string SavePrjFile(const std::filesystem::path& path, const tagPLANBIGPDATA& root,
                        const PlayState& play);

struct PrjLoad {
    std::unique_ptr<tagPLANBIGPDATA> root;
    std::string message;  // to show; empty for success and for a file that does not open
};
PrjLoad LoadPrjFile(const std::filesystem::path& path, int starCount, bool showMessages);

}  // namespace quorstat
