// "config.ini" in the ANSI code page: every value read lies in its range, also after a rewrite.
#include <cstdint>
#include <string_view>

#include "core/ini_document.h"
#include "core/settings_file.h"
#include "core/text_codec.h"

namespace {

bool inRange(const quorstat::Settings& settings, int lotteryId, int playId) {
    return lotteryId >= 1010 && lotteryId <= 1015 && playId >= 1301 && playId <= 1311 &&
           settings.lotteryPreTipSeconds >= 20 && settings.lotteryPreTipSeconds <= 120 &&
           settings.shareUserListPrePageCount >= 5 && settings.shareUserListPrePageCount <= 60 &&
           quorstat::AnsiLength(settings.planTextFont.faceName) <= 31;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    quorstat::IniDocument ini = quorstat::IniDocument::Parse(quorstat::FromAnsi(bytes));
    quorstat::Settings settings;
    int lotteryId = 0;
    int playId = 0;
    quorstat::LoadSettings(ini, 10, settings, lotteryId, playId);
    quorstat::StoreSettings(ini, settings, lotteryId, playId);
    quorstat::Settings again;
    quorstat::LoadSettings(quorstat::IniDocument::Parse(ini.text()), 5, again, lotteryId, playId);
    if (!inRange(settings, lotteryId, playId) || !inRange(again, lotteryId, playId))
        __builtin_trap();
    return 0;
}
