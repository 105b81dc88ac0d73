#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quorstat {

// Reads the serialisation stream of the local data files: little-endian 32-bit integers and
// strings with a 1-, 3- or 7-byte length prefix. The first read that fails (end of data, a wrong
// magic, an unknown prefix) makes every later read fail too, so a loader keeps what it read before
// and leaves the rest alone. A failed read never changes its target.
class ArchiveReader {
public:
    explicit ArchiveReader(std::string_view bytes) : bytes_(bytes) {}
    // The reader only looks at the bytes; they must outlive it.
    explicit ArchiveReader(std::string&&) = delete;

    bool readInt32(std::int32_t& value);
    bool readUInt32(std::uint32_t& value);
    bool readFlag(bool& value);
    bool readUInt8(std::uint8_t& value);
    // An 8-byte IEEE 754 value.
    bool readFloat64(double& value);
    // A uint32 count, then that many values.
    bool readUInt32Array(std::vector<std::uint32_t>& values);
    // The string's bytes as stored.
    bool readRawString(std::string& value);
    // The string converted from the ANSI code page to UTF-8.
    bool readString(std::string& value);
    // Consumes a 32-bit value and fails unless it equals `magic`.
    bool expectMagic(std::uint32_t magic);

    bool ok() const { return ok_; }
    std::size_t remaining() const { return bytes_.size() - offset_; }

    // Marks the stream as failed, for a content check of the caller.
    void fail() { ok_ = false; }

private:
    bool take(std::size_t count, std::string_view& out);
    bool readLength(std::size_t& length);
    template <typename T>
    bool readLittleEndian(T& value);

    std::string_view bytes_;
    std::size_t offset_ = 0;
    bool ok_ = true;
};

}  // namespace quorstat
