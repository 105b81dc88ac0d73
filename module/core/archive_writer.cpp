#include "core/archive_writer.h"

#include <bit>

#include "core/text_codec.h"

namespace quorstat {

void ArchiveWriter::writeLittleEndian(std::uint64_t value, int size) {
    for (int i = 0; i < size; ++i)
        bytes_.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

void ArchiveWriter::writeInt32(std::int32_t value) {
    writeUInt32(static_cast<std::uint32_t>(value));
}

void ArchiveWriter::writeUInt32(std::uint32_t value) {
    writeLittleEndian(value, 4);
}

void ArchiveWriter::writeFloat64(double value) {
    writeLittleEndian(std::bit_cast<std::uint64_t>(value), 8);
}

void ArchiveWriter::writeUInt32Array(const std::vector<std::uint32_t>& values) {
    writeUInt32(static_cast<std::uint32_t>(values.size()));
    for (const std::uint32_t value : values)
        writeUInt32(value);
}

void ArchiveWriter::writeRawString(std::string_view bytes) {
    const std::uint64_t length = bytes.size();
    if (length < 0xFF) {
        writeLittleEndian(length, 1);
    } else if (length < 0xFFFE) {
        writeLittleEndian(0xFF, 1);
        writeLittleEndian(length, 2);
    } else {
        writeLittleEndian(0xFF, 1);
        writeLittleEndian(0xFFFF, 2);
        writeLittleEndian(length, 4);
    }
    bytes_.append(bytes);
}

void ArchiveWriter::writeString(std::string_view utf8) {
    writeRawString(ToAnsi(utf8));
}

}  // namespace quorstat
