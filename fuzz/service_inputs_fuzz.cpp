// What the service reads from request bodies: the form, bet contents of every play, filter
// conditions and amounts. Canonical forms must read back to themselves.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "plan/play_table.h"
#include "plan/position_table.h"
#include "service/filter_condition.h"
#include "service/form_body.h"
#include "service/money.h"
#include "service/page_error.h"
#include "service/plan_bet.h"

namespace {

using namespace quorstat::service;

void readBet(int playId, std::string_view text) {
    try {
        const PlanBet bet = PlanBet::parse(playId, text);
        const PlanBet again = PlanBet::parse(playId, bet.text());
        if (again.text() != bet.text() || again.betCount() != bet.betCount() || bet.betCount() <= 0)
            std::abort();
        const int stars = quorstat::findPlay(playId)->starCount;
        for (const auto& position : quorstat::positionChoices(stars))
            if (bet.winningBets("30519", position.code) < 0)
                std::abort();
    } catch (const PageError&) {
    }
}

void readCondition(std::string_view text, bool integer) {
    try {
        FilterCondition::parse(text, integer).matches(12.5);
    } catch (const PageError&) {
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const FormBody form(text);
    form.value("BetContext");
    for (int playId = 1301; playId <= 1311; ++playId)
        readBet(playId, text);
    readCondition(text, true);
    readCondition(text, false);
    if (const auto amount = parseMoney(text); amount && parseMoney(formatMoney(*amount)) != amount)
        std::abort();
    return 0;
}
