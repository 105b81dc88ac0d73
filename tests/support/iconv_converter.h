#pragma once

#include <iconv.h>

#include <cerrno>
#include <optional>
#include <string>
#include <string_view>

namespace quorstat::testing {

// The C library's converter: the reference the table-driven text codec is held to and measured
// against. Like the codec, it turns each byte it cannot convert into `replacement`.
class IconvConverter {
public:
    IconvConverter(const char* to, const char* from, std::string_view replacement)
        : handle_(iconv_open(to, from)), replacement_(replacement) {}
    ~IconvConverter() {
        if (ok())
            iconv_close(handle_);
    }
    IconvConverter(const IconvConverter&) = delete;
    IconvConverter& operator=(const IconvConverter&) = delete;

    bool ok() const { return handle_ != reinterpret_cast<iconv_t>(-1); }

    // The whole input converted; none when any part of it does not convert.
    std::optional<std::string> convertWhole(std::string_view input) const {
        std::string out;
        return run(input, out) ? std::optional(out) : std::nullopt;
    }

    std::string convertReplacing(std::string_view input) const {
        std::string out;
        out.reserve(input.size() * 3 / 2 + 8);
        while (!run(input, out)) {
            out.append(replacement_);
            input.remove_prefix(1);
        }
        return out;
    }

private:
    // Converts as much as it can, appending to `out` and dropping the converted part of `input`;
    // false when it stopped at a byte it cannot convert.
    bool run(std::string_view& input, std::string& out) const {
        char* in = const_cast<char*>(input.data());
        std::size_t inLeft = input.size();
        char buffer[4096];
        iconv(handle_, nullptr, nullptr, nullptr, nullptr);
        while (inLeft > 0) {
            char* dst = buffer;
            std::size_t dstLeft = sizeof buffer;
            const std::size_t result = iconv(handle_, &in, &inLeft, &dst, &dstLeft);
            out.append(buffer, static_cast<std::size_t>(dst - buffer));
            if (result == static_cast<std::size_t>(-1) && errno != E2BIG) {
                input.remove_prefix(input.size() - inLeft);
                return false;
            }
        }
        input = {};
        return true;
    }

    iconv_t handle_;
    std::string_view replacement_;
};

inline IconvConverter iconvToAnsi() {
    return IconvConverter("GB18030", "UTF-8", "\x84\x31\xA4\x37");
}

inline IconvConverter iconvFromAnsi() {
    return IconvConverter("UTF-8", "GB18030", "\xEF\xBF\xBD");
}

}  // namespace quorstat::testing
