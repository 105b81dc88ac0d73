#include "core/archive_reader.h"

#include <bit>

#include "core/text_codec.h"

namespace quorstat {
namespace {

constexpr std::uint8_t kLongLength8 = 0xFF;
constexpr std::uint16_t kUnicodeMarker = 0xFFFE;
constexpr std::uint16_t kLongLength16 = 0xFFFF;
constexpr std::uint32_t kLongLength32 = 0xFFFFFFFF;

}  // namespace

bool ArchiveReader::take(std::size_t count, std::string_view& out) {
    if (!ok_ || count > remaining()) {
        ok_ = false;
        return false;
    }
    out = bytes_.substr(offset_, count);
    offset_ += count;
    return true;
}

template <typename T>
bool ArchiveReader::readLittleEndian(T& value) {
    std::string_view raw;
    if (!take(sizeof(T), raw))
        return false;
    std::uint64_t result = 0;
    for (std::size_t i = sizeof(T); i-- > 0;)
        result = (result << 8) | static_cast<unsigned char>(raw[i]);
    value = static_cast<T>(result);
    return true;
}

bool ArchiveReader::readInt32(std::int32_t& value) {
    std::uint32_t raw = 0;
    if (!readUInt32(raw))
        return false;
    value = static_cast<std::int32_t>(raw);
    return true;
}

bool ArchiveReader::readUInt32(std::uint32_t& value) {
    return readLittleEndian(value);
}

bool ArchiveReader::readFlag(bool& value) {
    std::int32_t raw = 0;
    if (!readInt32(raw))
        return false;
    value = raw != 0;
    return true;
}

bool ArchiveReader::readUInt8(std::uint8_t& value) {
    return readLittleEndian(value);
}

bool ArchiveReader::readFloat64(double& value) {
    std::uint64_t bits = 0;
    if (!readLittleEndian(bits))
        return false;
    value = std::bit_cast<double>(bits);
    return true;
}

// The count is checked against the bytes left, so a damaged count allocates nothing.
bool ArchiveReader::readUInt32Array(std::vector<std::uint32_t>& values) {
    std::uint32_t count = 0;
    if (!readUInt32(count))
        return false;
    if (count > remaining() / sizeof(std::uint32_t)) {
        ok_ = false;
        return false;
    }
    std::vector<std::uint32_t> read(count);
    for (std::uint32_t& value : read)
        readUInt32(value);
    values = std::move(read);
    return true;
}

bool ArchiveReader::expectMagic(std::uint32_t magic) {
    std::uint32_t value = 0;
    if (!readUInt32(value))
        return false;
    if (value != magic)
        ok_ = false;
    return ok_;
}

// The prefix grows only as far as the length needs; wider forms (UTF-16 text, lengths of 4 GiB
// and more) are never written by this program or the one before it.
bool ArchiveReader::readLength(std::size_t& length) {
    std::uint8_t short8 = 0;
    std::uint16_t short16 = 0;
    std::uint32_t long32 = 0;
    if (!readLittleEndian(short8))
        return false;
    if (short8 != kLongLength8) {
        length = short8;
    } else if (!readLittleEndian(short16) || short16 == kUnicodeMarker) {
        ok_ = false;
    } else if (short16 != kLongLength16) {
        length = short16;
    } else if (!readLittleEndian(long32) || long32 == kLongLength32) {
        ok_ = false;
    } else {
        length = long32;
    }
    return ok_;
}

bool ArchiveReader::readRawString(std::string& value) {
    std::size_t length = 0;
    std::string_view raw;
    if (!readLength(length) || !take(length, raw))
        return false;
    value.assign(raw);
    return true;
}

bool ArchiveReader::readString(std::string& value) {
    std::string raw;
    if (!readRawString(raw))
        return false;
    value = FromAnsi(raw);
    return true;
}

}  // namespace quorstat
