#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quorstat {

// Writes the serialisation stream that ArchiveReader reads.
class ArchiveWriter {
public:
    void writeInt32(std::int32_t value);
    void writeUInt32(std::uint32_t value);
    void writeFlag(bool value) { writeInt32(value ? 1 : 0); }
    void writeUInt8(std::uint8_t value) { writeLittleEndian(value, 1); }
    void writeFloat64(double value);
    void writeUInt32Array(const std::vector<std::uint32_t>& values);
    void writeRawString(std::string_view bytes);
    // Stored in the ANSI code page.
    void writeString(std::string_view utf8);

    const std::string& bytes() const { return bytes_; }

private:
    void writeLittleEndian(std::uint64_t value, int size);

    std::string bytes_;
};

}  // namespace quorstat
