#include "core/text_codec.h"

#include <iconv.h>

#include <cerrno>

namespace quorstat {
namespace {

// Invalid input bytes become U+FFFD (or its GB18030 form) instead of ending the text.
class Converter {
public:
    Converter(const char* to, const char* from, std::string_view replacement)
        : handle_(iconv_open(to, from)), replacement_(replacement) {}
    ~Converter() {
        if (handle_ != reinterpret_cast<iconv_t>(-1))
            iconv_close(handle_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    std::string convert(std::string_view input) const {
        std::string out;
        if (handle_ == reinterpret_cast<iconv_t>(-1))
            return out;
        out.reserve(input.size() * 3 / 2 + 8);
        char* in = const_cast<char*>(input.data());
        std::size_t inLeft = input.size();
        char buffer[4096];
        iconv(handle_, nullptr, nullptr, nullptr, nullptr);
        while (inLeft > 0) {
            char* dst = buffer;
            std::size_t dstLeft = sizeof buffer;
            const std::size_t result = iconv(handle_, &in, &inLeft, &dst, &dstLeft);
            out.append(buffer, static_cast<std::size_t>(dst - buffer));
            if (result != static_cast<std::size_t>(-1))
                break;
            if (errno == E2BIG)
                continue;
            // EILSEQ or EINVAL (a character cut at the end): skip one byte.
            out.append(replacement_);
            ++in;
            --inLeft;
        }
        return out;
    }

private:
    iconv_t handle_;
    std::string_view replacement_;
};

// A converter per call: opening one costs well under a microsecond, and a converter kept per thread
// would already be gone when a static destructor converts text at exit.
std::string toAnsi(std::string_view utf8) {
    return Converter("GB18030", "UTF-8", "\x84\x31\xA4\x37").convert(utf8);
}

std::string fromAnsi(std::string_view ansi) {
    return Converter("UTF-8", "GB18030", "\xEF\xBF\xBD").convert(ansi);
}

bool isAscii(std::string_view text) {
    for (const unsigned char c : text)
        if (c >= 0x80)
            return false;
    return true;
}

// Byte count of the GB18030 character starting at ansi[at]: 1, 2 or 4.
std::size_t ansiCharLength(std::string_view ansi, std::size_t at) {
    if (static_cast<unsigned char>(ansi[at]) < 0x80)
        return 1;
    const bool fourBytes = at + 1 < ansi.size() && ansi[at + 1] >= '0' && ansi[at + 1] <= '9';
    return fourBytes ? 4 : 2;
}

}  // namespace

std::string ToAnsi(std::string_view utf8) {
    if (isAscii(utf8))
        return std::string(utf8);
    return toAnsi(utf8);
}

std::string FromAnsi(std::string_view ansi) {
    if (isAscii(ansi))
        return std::string(ansi);
    return fromAnsi(ansi);
}

std::size_t AnsiLength(std::string_view utf8) {
    if (isAscii(utf8))
        return utf8.size();
    return ToAnsi(utf8).size();
}

std::string TruncateAnsi(std::string_view utf8, std::size_t maxBytes) {
    const std::string ansi = ToAnsi(utf8);
    if (ansi.size() <= maxBytes)
        return std::string(utf8);
    std::size_t end = 0;
    while (end < ansi.size()) {
        const std::size_t next = end + ansiCharLength(ansi, end);
        if (next > maxBytes)
            break;
        end = next;
    }
    return FromAnsi(std::string_view(ansi).substr(0, end));
}

}  // namespace quorstat
