// The reply frame, list splitting, numbers and date-times.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/text_codec.h"
#include "net/date_time.h"
#include "net/reply_text.h"

namespace {

void parse(std::string_view reply) {
    quorstat::StatusCode(reply);
    if (quorstat::Message(reply).size() > reply.size())
        std::abort();
    for (const auto mode : {quorstat::SplitMode::Strict, quorstat::SplitMode::Lenient,
                            quorstat::SplitMode::KeepEmpty}) {
        for (const char separator : {'|', '$', '#'}) {
            if (quorstat::SplitList(reply, separator, mode).size() > reply.size() + 1)
                std::abort();
        }
    }
    quorstat::ReadInt(reply);
    quorstat::ReadMoney(reply);
    const quorstat::DateTime time = quorstat::ParseDateTime(reply);
    if (time.read && (time.month < 1 || time.month > 12 || time.day < 1 || time.day > 31))
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    parse(bytes);
    parse(quorstat::FromAnsi(bytes));
    return 0;
}
