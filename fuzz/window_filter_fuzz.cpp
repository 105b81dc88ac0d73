// "qwf.dat": a filter that loads must survive a write and a second read unchanged.
#include <cstdint>
#include <string_view>

#include "core/window_filter.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    quorstat::WindowFilter filter;
    if (!quorstat::ReadWindowFilter(std::string_view(reinterpret_cast<const char*>(data), size),
                                    filter))
        return 0;
    quorstat::WindowFilter again;
    if (!quorstat::ReadWindowFilter(quorstat::WriteWindowFilter(filter), again) ||
        !(again == filter))
        __builtin_trap();
    return 0;
}
