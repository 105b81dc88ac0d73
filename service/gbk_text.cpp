#include "service/gbk_text.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>

namespace quorstat::service {
namespace {

class IconvHandle {
public:
    IconvHandle() : handle_(iconv_open("UTF-8", "GB18030")) {}
    ~IconvHandle() {
        if (isOpen())
            iconv_close(handle_);
    }
    IconvHandle(const IconvHandle&) = delete;
    IconvHandle& operator=(const IconvHandle&) = delete;

    bool isOpen() const { return handle_ != reinterpret_cast<iconv_t>(-1); }
    iconv_t get() const { return handle_; }

private:
    iconv_t handle_;
};

}  // namespace

std::optional<std::string> decodeGbkStrict(std::string_view ansi) {
    if (std::all_of(ansi.begin(), ansi.end(), [](char c) { return (c & 0x80) == 0; }))
        return std::string(ansi);
    static thread_local const IconvHandle converter;
    if (!converter.isOpen())
        return std::nullopt;
    iconv(converter.get(), nullptr, nullptr, nullptr, nullptr);
    std::string out;
    char* in = const_cast<char*>(ansi.data());
    std::size_t inLeft = ansi.size();
    char buffer[4096];
    while (inLeft > 0) {
        char* dst = buffer;
        std::size_t dstLeft = sizeof buffer;
        const std::size_t result = iconv(converter.get(), &in, &inLeft, &dst, &dstLeft);
        out.append(buffer, static_cast<std::size_t>(dst - buffer));
        if (result == static_cast<std::size_t>(-1) && errno != E2BIG)
            return std::nullopt;
    }
    return out;
}

}  // namespace quorstat::service
