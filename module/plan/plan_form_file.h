#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "plan/plan_form_data.h"

namespace quorstat {

// "MyPlanDataConfig.dat": the magic, a record count, then the records.
inline constexpr std::uint32_t kPlanFormFileMagic = 0x013379AD;  // 20150701
inline constexpr std::string_view kPlanFormFileName = "MyPlanDataConfig.dat";

// The records of a file, up to the first one that is cut short or damaged; none for another
// magic.
std::vector<tagCONFIG_MYPLANDATA> ReadPlanFormFile(std::string_view bytes);
std::string WritePlanFormFile(const std::vector<tagCONFIG_MYPLANDATA>& records);

}  // namespace quorstat
