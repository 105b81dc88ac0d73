// The preset export file and the typed multiples: an imported file must survive an export, and a
// typed text either gives one multiple per row or a message.
#include <cstdint>
#include <string_view>

#include "plan/multiples_text.h"
#include "plan/preset_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    if (const auto presets = quorstat::ReadPresetFile(bytes)) {
        const std::string written = quorstat::WritePresetFile(*presets);
        const auto again = quorstat::ReadPresetFile(written);
        if (!again || quorstat::WritePresetFile(*again) != written)
            __builtin_trap();
    }
    const std::size_t rows = size % 100;
    const auto typed = quorstat::ParseModifyMultiples(bytes, rows);
    if (typed.message.empty() != (typed.values.size() == rows) && rows != 0)
        __builtin_trap();
    for (const std::uint32_t value : typed.values) {
        if (value > quorstat::kLargestTypedMultiple)
            __builtin_trap();
    }
    quorstat::ParseMultiplesText(bytes);
    return 0;
}
