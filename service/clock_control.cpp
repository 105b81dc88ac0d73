#include "service/clock_control.h"

#include <fmt/format.h>
#include <httplib.h>

#include <mutex>
#include <optional>

#include "service/control_access.h"
#include "service/form_body.h"
#include "service/page_error.h"
#include "service/reply_writer.h"
#include "service/request_server.h"
#include "service/service_context.h"

namespace quorstat::service {
namespace {

constexpr std::int64_t kMaxAdvanceSeconds = 10LL * 366 * 86400;

double readSpeed(std::string_view text) {
    const std::optional<double> speed = ServiceClock::parseSpeed(text);
    if (!speed)
        throw PageError("字段“Speed”的值不正确");
    return *speed;
}

}  // namespace

void ClockControl::addTo(RequestServer& server, const ControlAccess& access) {
    server.Get("/control/clock", access.guard([this](const httplib::Request&) {
        std::lock_guard lock(context_.lock);
        return report();
    }));
    server.postWithBody("/control/clock", access.guard([this](const httplib::Request& request) {
        return apply(request.body);
    }));
}

// Everything is read before anything is applied, so a bad field changes nothing.
std::string ClockControl::apply(std::string_view body) {
    const FormBody form(body);
    std::optional<double> speed;
    std::optional<CivilSeconds> time;
    std::optional<std::int64_t> advance;
    try {
        if (const auto text = form.value("Speed"))
            speed = readSpeed(*text);
        if (const auto text = form.value("Set")) {
            time = parseDateTime(*text);
            if (!time)
                throw PageError("字段“Set”的值不正确");
        }
        advance = form.optionalInteger("Advance", -kMaxAdvanceSeconds, kMaxAdvanceSeconds);
    } catch (const PageError& error) {
        return ReplyWriter::failure(error.what());
    }
    std::lock_guard lock(context_.lock);
    if (!ServiceClock::isWithinRange(time.value_or(context_.clock.now()) + advance.value_or(0)))
        return ReplyWriter::failure("服务时间应在2000年至2099年之间");
    if (speed)
        context_.clock.setSpeed(*speed);
    if (time)
        context_.clock.set(*time);
    if (advance)
        context_.clock.advance(*advance);
    return report();
}

std::string ClockControl::report() {
    const CivilSeconds now = context_.clock.now();
    context_.catchUp(now);
    return ReplyWriter('1')
        .field(formatDateTime(now))
        .field(fmt::format("{}", context_.clock.speed()))
        .text();
}

}  // namespace quorstat::service
