#include "core/base_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <system_error>
#include <vector>

#include "core/text_codec.h"

namespace quorstat {
namespace {

constexpr char kMagicText[16] = "NRVBASEFILEFLAG";
constexpr std::size_t kMarkerAt = 16;
constexpr std::size_t kSumAllAt = 20;
constexpr std::size_t kSumOddAt = 24;
constexpr std::size_t kSumThirdAt = 28;
constexpr std::size_t kLengthAt = 32;
constexpr std::size_t kTagAt = 36;
constexpr std::size_t kTagField = 17;
constexpr std::size_t kValueAt = 56;
// Beyond this a direct write replaces buffering.
constexpr std::size_t kBufferLimit = CBaseFile::kWriteBufferSize - 1;

std::uint32_t getField(const std::array<unsigned char, CBaseFile::kHeaderSize>& header,
                       std::size_t at) {
    return static_cast<std::uint32_t>(header[at]) |
           static_cast<std::uint32_t>(header[at + 1]) << 8 |
           static_cast<std::uint32_t>(header[at + 2]) << 16 |
           static_cast<std::uint32_t>(header[at + 3]) << 24;
}

void putField(std::array<unsigned char, CBaseFile::kHeaderSize>& header, std::size_t at,
              std::uint32_t value) {
    for (std::size_t i = 0; i < 4; ++i)
        header[at + i] = static_cast<unsigned char>(value >> (8 * i));
}

}  // namespace

struct CBaseFile::Checksums {
    std::uint32_t all = 0;
    std::uint32_t odd = 0;    // bytes at odd data positions
    std::uint32_t third = 0;  // bytes at data positions p with p mod 3 = 2

    bool operator==(const Checksums&) const = default;

    void add(const unsigned char* data, std::size_t count, std::uint64_t firstPosition) {
        bool isOdd = firstPosition % 2 == 1;
        unsigned mod3 = static_cast<unsigned>(firstPosition % 3);
        for (std::size_t i = 0; i < count; ++i) {
            all += data[i];
            if (isOdd)
                odd += data[i];
            if (mod3 == 2)
                third += data[i];
            isOdd = !isOdd;
            mod3 = mod3 == 2 ? 0 : mod3 + 1;
        }
    }
};

CBaseFile::CBaseFile() = default;

CBaseFile::~CBaseFile() {
    if (IsOpen())
        Close();
}

bool CBaseFile::Open(const std::filesystem::path& path, unsigned flags) {
    if (IsOpen())
        Close();
    path_ = path;
    dirty_ = failed_ = replaceOnClose_ = false;
    filePos_ = kHeaderSize;
    const bool writing = (flags & (modeWrite | modeReadWrite | modeCreate)) != 0;
    const bool opened = writing ? openForWriting(path, flags) : openForReading(path);
    if (!opened)
        discard();
    return opened;
}

bool CBaseFile::openForReading(const std::filesystem::path& path) {
    fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    writable_ = false;
    return fd_ >= 0 && verify();
}

// The temporary copy starts with the old content unless the file is being created anew.
bool CBaseFile::openForWriting(const std::filesystem::path& path, unsigned flags) {
    const bool create = (flags & modeCreate) != 0;
    const bool keepContent = !create || (flags & modeNoTruncate) != 0;
    struct stat existing {};
    const bool exists = ::stat(path.c_str(), &existing) == 0;
    if ((exists && !S_ISREG(existing.st_mode)) || (!exists && !create))
        return false;

    std::string temp = path.string() + ".XXXXXX";
    fd_ = ::mkstemp(temp.data());
    if (fd_ < 0)
        return false;
    tempPath_ = temp;
    writable_ = true;
    if (::fchmod(fd_, exists ? existing.st_mode & 07777 : 0644) != 0)
        return false;

    if (keepContent && exists) {
        const int source = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        if (source < 0)
            return false;
        std::vector<char> chunk(kVerifyChunkSize);
        std::uint64_t offset = 0;
        ssize_t got = 0;
        while ((got = ::read(source, chunk.data(), chunk.size())) > 0 &&
               writeAt(offset, chunk.data(), static_cast<std::size_t>(got)))
            offset += static_cast<std::uint64_t>(got);
        ::close(source);
        if (got != 0 || failed_)
            return false;
    }
    if (create && fileSize() == 0) {
        startEmpty();
        return !failed_;
    }
    return verify();
}

void CBaseFile::startEmpty() {
    header_.fill(0);
    std::memcpy(header_.data(), kMagicText, sizeof kMagicText);
    putField(header_, kMarkerAt, kMarker);
    writeAt(0, header_.data(), header_.size());
    replaceOnClose_ = true;
}

bool CBaseFile::verify() {
    const std::uint64_t size = fileSize();
    if (size < kHeaderSize || readAt(0, header_.data(), header_.size()) != header_.size())
        return false;
    const std::uint64_t dataLength = size - kHeaderSize;
    Checksums sums;
    return std::memcmp(header_.data(), kMagicText, sizeof kMagicText) == 0 &&
           getField(header_, kMarkerAt) == kMarker && getField(header_, kLengthAt) == dataLength &&
           computeChecksums(dataLength, sums) &&
           sums == Checksums{getField(header_, kSumAllAt), getField(header_, kSumOddAt),
                             getField(header_, kSumThirdAt)};
}

bool CBaseFile::computeChecksums(std::uint64_t dataLength, Checksums& sums) const {
    std::vector<unsigned char> chunk(
        static_cast<std::size_t>(std::min<std::uint64_t>(kVerifyChunkSize, dataLength)));
    for (std::uint64_t position = 0; position < dataLength;) {
        const auto want =
            static_cast<std::size_t>(std::min<std::uint64_t>(chunk.size(), dataLength - position));
        if (readAt(kHeaderSize + position, chunk.data(), want) != want)
            return false;
        sums.add(chunk.data(), want, position);
        position += want;
    }
    return true;
}

std::uint64_t CBaseFile::fileSize() const {
    struct stat info {};
    return ::fstat(fd_, &info) == 0 ? static_cast<std::uint64_t>(info.st_size) : 0;
}

std::size_t CBaseFile::readAt(std::uint64_t offset, void* buffer, std::size_t count) const {
    std::size_t done = 0;
    while (done < count) {
        const ssize_t got = ::pread(fd_, static_cast<char*>(buffer) + done, count - done,
                                    static_cast<off_t>(offset + done));
        if (got <= 0)
            break;
        done += static_cast<std::size_t>(got);
    }
    return done;
}

bool CBaseFile::writeAt(std::uint64_t offset, const void* bytes, std::size_t count) {
    std::size_t done = 0;
    while (done < count && !failed_) {
        const ssize_t put = ::pwrite(fd_, static_cast<const char*>(bytes) + done, count - done,
                                     static_cast<off_t>(offset + done));
        if (put <= 0)
            failed_ = true;
        else
            done += static_cast<std::size_t>(put);
    }
    return !failed_;
}

bool CBaseFile::flush() {
    if (buffered_ == 0)
        return true;
    const bool ok = writeAt(filePos_, writeBuffer_.get(), buffered_);
    filePos_ += buffered_;
    buffered_ = 0;
    return ok;
}

std::size_t CBaseFile::Read(void* buffer, std::size_t count) {
    if (!IsOpen() || !flush())
        return 0;
    const std::size_t got = readAt(filePos_, buffer, count);
    filePos_ += got;
    return got;
}

bool CBaseFile::Write(const void* bytes, std::size_t count) {
    if (!writable_ || failed_)
        return false;
    dirty_ = true;
    if (buffered_ + count > kBufferLimit) {
        if (!flush() || !writeAt(filePos_, bytes, count))
            return false;
        filePos_ += count;
        return true;
    }
    if (!writeBuffer_)
        writeBuffer_ = std::make_unique<unsigned char[]>(kWriteBufferSize);
    std::memcpy(writeBuffer_.get() + buffered_, bytes, count);
    buffered_ += count;
    return true;
}

std::optional<std::uint64_t> CBaseFile::Seek(std::int64_t offset, SeekFrom from) {
    if (!IsOpen() || !flush())
        return std::nullopt;
    const std::uint64_t base = from == SeekFrom::begin     ? kHeaderSize
                               : from == SeekFrom::current ? filePos_
                                                           : fileSize();
    std::int64_t target = 0;
    if (__builtin_add_overflow(static_cast<std::int64_t>(base), offset, &target) ||
        target < static_cast<std::int64_t>(kHeaderSize))
        return std::nullopt;
    filePos_ = static_cast<std::uint64_t>(target);
    return filePos_ - kHeaderSize;
}

std::uint64_t CBaseFile::GetLength() const {
    if (!IsOpen())
        return 0;
    return std::max(fileSize(), filePos_ + buffered_) - kHeaderSize;
}

std::uint64_t CBaseFile::GetPosition() const {
    return filePos_ + buffered_ - kHeaderSize;
}

bool CBaseFile::SetLength(std::uint64_t length) {
    if (!writable_ || !flush())
        return false;
    dirty_ = true;
    if (::ftruncate(fd_, static_cast<off_t>(length + kHeaderSize)) != 0)
        failed_ = true;
    filePos_ = length + kHeaderSize;
    return !failed_;
}

std::string CBaseFile::storedTag() const {
    const auto* tag = reinterpret_cast<const char*>(header_.data() + kTagAt);
    return std::string(tag, ::strnlen(tag, kTagField));
}

void CBaseFile::SetTypeTag(std::optional<std::string_view> tag, std::int32_t value) {
    if (tag) {
        const std::string ansi = ToAnsi(TruncateAnsi(*tag, kTypeTagMax));
        if (ansi != storedTag()) {
            std::fill_n(header_.begin() + kTagAt, kTagField, 0);
            std::copy(ansi.begin(), ansi.end(), header_.begin() + kTagAt);
            dirty_ = true;
        }
    }
    if (value != GetTypeValue()) {
        putField(header_, kValueAt, static_cast<std::uint32_t>(value));
        dirty_ = true;
    }
}

std::int32_t CBaseFile::GetTypeValue() const {
    return static_cast<std::int32_t>(getField(header_, kValueAt));
}

bool CBaseFile::HasTypeTag(std::string_view tag) const {
    return storedTag() == ToAnsi(tag);
}

bool CBaseFile::Close() {
    if (!IsOpen())
        return true;
    flush();
    writeBuffer_.reset();
    if (!writable_) {
        discard();
        return true;
    }
    return finishWriting();
}

// The temporary copy either replaces the file, is dropped, or (changed and empty) takes the file
// with it.
bool CBaseFile::finishWriting() {
    const bool ok = !failed_;
    if (!ok || (!dirty_ && !replaceOnClose_)) {
        discard();
        return ok;
    }
    if (dirty_) {
        const std::uint64_t dataLength = fileSize() - kHeaderSize;
        if (dataLength == 0) {
            discard();
            std::error_code ignored;
            std::filesystem::remove(path_, ignored);
            return true;
        }
        Checksums sums;
        std::memcpy(header_.data(), kMagicText, sizeof kMagicText);
        putField(header_, kMarkerAt, kMarker);
        putField(header_, kLengthAt, static_cast<std::uint32_t>(dataLength));
        const bool summed = computeChecksums(dataLength, sums);
        putField(header_, kSumAllAt, sums.all);
        putField(header_, kSumOddAt, sums.odd);
        putField(header_, kSumThirdAt, sums.third);
        if (!summed || !writeAt(0, header_.data(), header_.size())) {
            discard();
            return false;
        }
    }
    const bool synced = ::fsync(fd_) == 0;
    const bool written = ::close(fd_) == 0 && synced;
    fd_ = -1;
    if (!written || ::rename(tempPath_.c_str(), path_.c_str()) != 0) {
        discard();
        return false;
    }
    tempPath_.clear();
    discard();
    return true;
}

void CBaseFile::discard() {
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
    if (!tempPath_.empty())
        ::unlink(tempPath_.c_str());
    tempPath_.clear();
    writeBuffer_.reset();
    buffered_ = 0;
    writable_ = false;
}

}  // namespace quorstat
