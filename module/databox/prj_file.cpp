#include "databox/prj_file.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "core/base_file.h"
#include "core/text_codec.h"
#include "databox/box_tree.h"
#include "databox/number_set.h"
#include "plan/bet_numbers.h"

namespace quorstat {

namespace {

constexpr unsigned char kDataMark = 0x21;
constexpr std::uint32_t kFlagWord = 0x01010101;
constexpr std::size_t kNameOffset = 268;
constexpr std::size_t kCountOffset = 536;
constexpr std::size_t kExtraCountOffset = 544;

void putUInt32(unsigned char* at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        at[i] = static_cast<unsigned char>(value >> (8 * i));
}

std::uint32_t getUInt32(std::string_view bytes, std::size_t offset) {
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value =
            value << 8 | static_cast<unsigned char>(bytes[offset + static_cast<std::size_t>(i)]);
    return value;
}

std::uint8_t flagByte(std::int32_t value) {
    return value != 0 ? 1 : 0;
}

std::string_view asText(const auto& bytes) {
    return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

// An item's numbers as digit bytes, ascending.
std::string digitBytes(const NumberSet& numbers, int starCount) {
    std::string digits;
    digits.reserve(numbers.count() * static_cast<std::size_t>(starCount));
    for (std::size_t value = 0; value < numbers.space(); ++value) {
        if (!numbers.contains(value))
            continue;
        const std::size_t at = digits.size();
        digits.resize(at + static_cast<std::size_t>(starCount));
        std::size_t rest = value;
        for (std::size_t i = static_cast<std::size_t>(starCount); i-- > 0; rest /= 10)
            digits[at + i] = static_cast<char>(rest % 10);
    }
    return digits;
}

class PrjReader {
public:
    PrjReader(std::string_view data, int starCount) : data_(data), starCount_(starCount) {}

    std::unique_ptr<tagPLANBIGPDATA> readNode(int level) {
        const std::optional<tagBIGPITEM> record = nextRecord();
        if (!record || level > kMaxTreeDepth)
            return nullptr;
        auto node = std::make_unique<tagPLANBIGPDATA>();
        node->isGroup = record->type == tagBIGPITEM::kGroup ? 1 : 0;
        node->enabled = record->enabled != 0 ? 1 : 0;
        node->positive = record->positive != 0 ? 1 : 0;
        node->tolerant = record->tolerant != 0 ? 1 : 0;
        node->name = FromAnsi(record->name);
        node->positionShown.clear();
        if (node->group()) {
            for (std::uint32_t i = 0; i < record->count; ++i) {
                std::unique_ptr<tagPLANBIGPDATA> child = readNode(level + 1);
                if (!child)
                    return nullptr;
                node->children.push_back(std::move(child));
            }
        } else if (!readNumbers(*node, record->count)) {
            return nullptr;
        }
        return node;
    }

private:
    std::optional<std::string_view> take(std::size_t count) {
        if (count > data_.size() - pos_)
            return std::nullopt;
        const std::string_view bytes = data_.substr(pos_, count);
        pos_ += count;
        return bytes;
    }

    std::optional<tagBIGPITEM> nextRecord() {
        const std::optional<std::string_view> bytes = take(tagBIGPITEM::kSize);
        if (!bytes)
            return std::nullopt;
        tagBIGPITEM record = tagBIGPITEM::decode(*bytes);
        // Values a newer writer may put after the record mean nothing here.
        if (!take(std::size_t{record.extraCount} * 4))
            return std::nullopt;
        return record;
    }

    bool readNumbers(tagPLANBIGPDATA& item, std::uint32_t count) {
        const auto width = static_cast<std::size_t>(starCount_);
        const std::optional<std::string_view> digits = take(std::size_t{count} * width);
        if (!digits)
            return false;
        std::string text;
        text.reserve(std::size_t{count} * (width + 1));
        for (std::size_t i = 0; i < digits->size(); ++i) {
            const auto digit = static_cast<unsigned char>((*digits)[i]);
            if (digit > 9)
                return false;
            text.push_back(static_cast<char>('0' + digit));
            if ((i + 1) % width == 0)
                text.push_back(' ');
        }
        item.setNumbers(std::move(text));
        item.betCount = static_cast<std::int32_t>(std::min<std::uint32_t>(count, INT32_MAX));
        return true;
    }

    std::string_view data_;
    std::size_t pos_ = 0;
    int starCount_;
};

}  // namespace

std::array<unsigned char, tagBIGPITEM::kSize> tagBIGPITEM::encode() const {
    std::array<unsigned char, kSize> bytes{};
    bytes[0] = type;
    bytes[1] = enabled;
    bytes[2] = positive;
    bytes[3] = tolerant;
    putUInt32(&bytes[4], kFlagWord);
    std::memcpy(&bytes[kNameOffset], name.data(), std::min(name.size(), kNameSize - 1));
    putUInt32(&bytes[kCountOffset], count);
    putUInt32(&bytes[kExtraCountOffset], extraCount);
    return bytes;
}

tagBIGPITEM tagBIGPITEM::decode(std::string_view bytes) {
    tagBIGPITEM record;
    record.type = static_cast<std::uint8_t>(bytes[0]);
    record.enabled = static_cast<std::uint8_t>(bytes[1]);
    record.positive = static_cast<std::uint8_t>(bytes[2]);
    record.tolerant = static_cast<std::uint8_t>(bytes[3]);
    const std::string_view name = bytes.substr(kNameOffset, kNameSize);
    record.name = std::string(name.substr(0, name.find('\0')));
    record.count = getUInt32(bytes, kCountOffset);
    record.extraCount = getUInt32(bytes, kExtraCountOffset);
    return record;
}

bool WritePrjData(const tagPLANBIGPDATA& root, const PlayState& play,
                  const std::function<bool(std::string_view)>& sink) {
    if (!readsBetNumbers(play))
        return false;
    std::vector<const tagPLANBIGPDATA*> items;
    ForEachItem(root, [&](const tagPLANBIGPDATA& item) { items.push_back(&item); });

    tagBIGPITEM top;
    top.type = tagBIGPITEM::kGroup;
    top.count = static_cast<std::uint32_t>(items.size());
    const std::array<unsigned char, 2> head{kDataMark, static_cast<unsigned char>(play.starCount)};
    if (!sink(asText(head)) || !sink(asText(top.encode())))
        return false;
    for (const tagPLANBIGPDATA* item : items) {
        const NumberSet& numbers = item->presence(play);
        tagBIGPITEM record;
        record.enabled = flagByte(item->enabled);
        record.positive = flagByte(item->positive);
        record.tolerant = flagByte(item->tolerant);
        record.name = ToAnsi(TruncateAnsi(item->name, tagBIGPITEM::kNameSize - 1));
        record.count = static_cast<std::uint32_t>(numbers.count());
        if (!sink(asText(record.encode())) || !sink(digitBytes(numbers, play.starCount)))
            return false;
    }
    return true;
}

std::unique_ptr<tagPLANBIGPDATA> ReadPrjData(std::string_view data, int starCount) {
    if (data.size() < 2 || static_cast<unsigned char>(data[1]) != starCount || starCount < 1)
        return nullptr;
    PrjReader reader(data.substr(2), starCount);
    std::unique_ptr<tagPLANBIGPDATA> root = reader.readNode(1);
    return root && root->group() ? std::move(root) : nullptr;
}

std::string SavePrjFile(const std::filesystem::path& path, const tagPLANBIGPDATA& root,
                        const PlayState& play) {
    if (!readsBetNumbers(play))
        return std::string(kPrjBadData);
    CBaseFile file;
    if (!file.Open(path, CBaseFile::modeCreate | CBaseFile::modeReadWrite))
        return std::string(kPrjCreateFailed);
    if (!file.HasTypeTag(kPrjTypeTag) || file.GetTypeValue() != kPrjTypeValue)
        file.SetTypeTag(kPrjTypeTag, kPrjTypeValue);
    const bool written = WritePrjData(
        root, play, [&](std::string_view bytes) { return file.Write(bytes.data(), bytes.size()); });
    return file.Close() && written ? std::string() : std::string(kPrjWriteFailed);
}

PrjLoad LoadPrjFile(const std::filesystem::path& path, int starCount, bool showMessages) {
    CBaseFile file;
    if (!file.Open(path, CBaseFile::modeRead))
        return {};
    const auto refused = [&] {
        return PrjLoad{nullptr, showMessages ? std::string(kPrjWrongFormat) : std::string()};
    };
    if (!file.HasTypeTag(kPrjTypeTag))
        return refused();
    std::string data(file.GetLength(), '\0');
    if (file.Read(data.data(), data.size()) != data.size())
        return refused();
    std::unique_ptr<tagPLANBIGPDATA> root = ReadPrjData(data, starCount);
    if (!root)
        return refused();
    return {std::move(root), {}};
}

}  // namespace quorstat
