// "MyPlanDataConfig.dat": what loads must survive a write unchanged, and every loaded state,
// however odd its values, must compute a table without a fault.
#include <cstdint>
#include <string_view>

#include "plan/calculator.h"
#include "plan/plan_form_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto records =
        quorstat::ReadPlanFormFile(std::string_view(reinterpret_cast<const char*>(data), size));
    const std::string written = quorstat::WritePlanFormFile(records);
    if (quorstat::WritePlanFormFile(quorstat::ReadPlanFormFile(written)) != written)
        __builtin_trap();
    for (const auto& record : records) {
        quorstat::PlayState play;
        play.selectLottery(record.lotteryId);
        play.selectPlay(record.playId);
        play.currentIssue = 130501001;
        play.issuesPerDay = 120;
        const auto raw = quorstat::ComputeMultipleTable(record, 7, record.strategy, play);
        if (raw.size() > static_cast<std::size_t>(quorstat::kMaxIssueCount))
            __builtin_trap();
        auto shown = record;
        const auto calculation = quorstat::Calculate(quorstat::FieldsFromRecord(record), shown,
                                                     play, quorstat::CalculationStart::Form);
        if (calculation.rows.size() > static_cast<std::size_t>(shown.issueCount))
            __builtin_trap();
    }
    return 0;
}
