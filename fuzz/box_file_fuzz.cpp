// ReadBoxFile on any bytes, for the scope the bytes claim: a tree that loads saves and loads again
// unchanged, and can be computed and verified.
#include <cstdint>
#include <cstring>
#include <string_view>

#include "databox/box_evaluation.h"
#include "databox/box_file.h"
#include "databox/box_verification.h"

namespace {

std::int32_t int32At(const uint8_t* data, size_t size, size_t offset) {
    std::uint32_t value = 0;
    if (offset + 4 <= size)
        std::memcpy(&value, data + offset, 4);
    return static_cast<std::int32_t>(value);
}

quorstat::PlayState twoStars() {
    quorstat::PlayState play;
    play.selectLottery(1010);
    play.selectPlay(1301);
    return play;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace quorstat;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    // Current files carry the kind at offset 4, older plan-box files lack it.
    const BoxScope scopes[] = {
        {static_cast<BoxKind>(int32At(data, size, 4) == 0 ? 0 : 1), int32At(data, size, 8),
         int32At(data, size, 12)},
        {BoxKind::plan, int32At(data, size, 4), int32At(data, size, 8)},
    };
    for (const BoxScope& scope : scopes) {
        const auto root = ReadBoxFile(bytes, scope);
        if (!root)
            continue;
        const auto again = ReadBoxFile(WriteBoxFile(scope, *root), scope);
        if (!again || !(*again == *root))
            __builtin_trap();
        ComputeBox(*root, twoStars());
        VerifyGroup(*root);
    }
    return 0;
}
