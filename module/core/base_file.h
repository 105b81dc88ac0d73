#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace quorstat {

// A file whose 60-byte header carries the data length and three checksums of the data, so a
// damaged or cut file is refused on opening. Positions and lengths count from the first data byte.
//
// A container opened for writing is worked on as a temporary copy in the same directory that
// replaces the file on Close(), so a crash or a full disk never leaves a half-written file.
class CBaseFile {
public:
    // The flags of the framework's file class; only these matter here.
    static constexpr unsigned modeRead = 0x0000;
    static constexpr unsigned modeWrite = 0x0001;
    static constexpr unsigned modeReadWrite = 0x0002;
    static constexpr unsigned modeCreate = 0x1000;
    static constexpr unsigned modeNoTruncate = 0x2000;

    enum class SeekFrom { begin, current, end };

    static constexpr std::size_t kHeaderSize = 60;
    static constexpr std::size_t kWriteBufferSize = 0x20000;
    static constexpr std::size_t kVerifyChunkSize = 0x100000;
    static constexpr std::uint32_t kMarker = 0x01329095;  // 20091029
    static constexpr std::size_t kTypeTagMax = 16;

    CBaseFile();
    ~CBaseFile();
    CBaseFile(const CBaseFile&) = delete;
    CBaseFile& operator=(const CBaseFile&) = delete;

    bool Open(const std::filesystem::path& path, unsigned flags);
    bool IsOpen() const { return fd_ >= 0; }

    // Bytes read at the current position; fewer at the end of the data or on an error.
    std::size_t Read(void* buffer, std::size_t count);
    bool Write(const void* bytes, std::size_t count);
    // The new position, or nothing when it would lie before the data.
    std::optional<std::uint64_t> Seek(std::int64_t offset, SeekFrom from);
    std::uint64_t GetLength() const;
    std::uint64_t GetPosition() const;
    bool SetLength(std::uint64_t length);

    // An absent tag leaves the stored one; a tag keeps at most 16 bytes of the ANSI code page.
    void SetTypeTag(std::optional<std::string_view> tag, std::int32_t value);
    std::int32_t GetTypeValue() const;
    bool HasTypeTag(std::string_view tag) const;

    // Writes header and checksums when anything changed; a changed container without data is
    // deleted. False when the file could not be written (the file on disk is then unchanged).
    bool Close();

private:
    using Header = std::array<unsigned char, kHeaderSize>;
    struct Checksums;

    bool openForReading(const std::filesystem::path& path);
    bool openForWriting(const std::filesystem::path& path, unsigned flags);
    void startEmpty();
    bool verify();
    bool computeChecksums(std::uint64_t dataLength, Checksums& sums) const;
    std::size_t readAt(std::uint64_t offset, void* buffer, std::size_t count) const;
    std::string storedTag() const;
    std::uint64_t fileSize() const;
    bool flush();
    bool writeAt(std::uint64_t offset, const void* bytes, std::size_t count);
    bool finishWriting();
    void discard();

    int fd_ = -1;
    bool writable_ = false;
    bool dirty_ = false;
    bool failed_ = false;  // a write went wrong: the file must not replace the old one
    bool replaceOnClose_ = false;
    std::filesystem::path path_;
    std::filesystem::path tempPath_;
    Header header_{};
    std::uint64_t filePos_ = 0;  // absolute offset where buffered bytes belong
    std::unique_ptr<unsigned char[]> writeBuffer_;
    std::size_t buffered_ = 0;
};

}  // namespace quorstat
