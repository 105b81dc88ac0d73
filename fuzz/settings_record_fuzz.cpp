// Setting records of the window filter and the refresh intervals.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/text_codec.h"
#include "net/settings_record.h"

namespace {

void parse(std::string_view text) {
    const quorstat::SettingsRecord record = quorstat::ParseSettingsRecord(text);
    quorstat::SplitWindowFilter(record.setUp);
    quorstat::RefreshIntervals intervals;
    quorstat::ApplyIntervalSetup(text, intervals);
    for (const int value :
         {intervals.serverTime, intervals.betNum, intervals.userList, intervals.planList,
          intervals.fansCount, intervals.topHtml, intervals.ownPlanAfterBetNum}) {
        if (value <= 0)
            std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    parse(bytes);
    parse(quorstat::FromAnsi(bytes));
    return 0;
}
