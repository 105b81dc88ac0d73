// Server time, draw-time table, latest draw and draw history replies.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/text_codec.h"
#include "net/draw_replies.h"

namespace {

void parse(std::string_view reply) {
    if (const auto time = quorstat::ParseServerTimeReply(reply); time && time->serverTime.read)
        time->serverTime.toTimeT();
    if (const auto table = quorstat::ParseDrawTimes(reply)) {
        if (table->times.empty() || table->times.size() > 999)
            std::abort();
        for (const std::int32_t draw : table->times) {
            if (draw <= 0 || draw > 240000)
                std::abort();
        }
    }
    quorstat::ParseLatestDraw(reply);
    quorstat::ParseDrawHistory(reply);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    parse(bytes);
    parse(quorstat::FromAnsi(bytes));
    return 0;
}
