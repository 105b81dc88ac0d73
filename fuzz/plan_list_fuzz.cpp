// Own and shared plan lists, plan details and single plan and summary records.
#include <cstdint>
#include <algorithm>
#include <cstdlib>
#include <string>

#include "core/text_codec.h"
#include "net/plan_record.h"

namespace {

void parse(std::string_view reply) {
    const quorstat::PlanListReply list = quorstat::ParsePlanList(reply);
    if (static_cast<std::int64_t>(list.plans.size()) > std::max(list.count, 0))
        std::abort();
    if (quorstat::ParsePlanDetail(reply).size() > 2)
        std::abort();
    quorstat::ParsePlanRecord(reply, quorstat::PlanRecordSource::Detail);
    quorstat::ParseSummaryRecord(reply);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    parse(bytes);
    parse(quorstat::FromAnsi(bytes));
    return 0;
}
