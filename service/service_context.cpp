#include "service/service_context.h"

#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>

#include "service/migrations.h"

namespace quorstat::service {
namespace {

LotteryCalendar loadCalendar(const std::string& tables) {
    if (tables.empty())
        return LotteryCalendar::standard();
    if (tables == "demo")
        return LotteryCalendar::demo();
    std::ifstream file(tables);
    if (!file)
        throw std::runtime_error("cannot read the draw-time tables " + tables);
    std::ostringstream text;
    text << file.rdbuf();
    try {
        return LotteryCalendar::standard().withTables(text.str());
    } catch (const std::invalid_argument& error) {
        throw std::runtime_error(tables + ", " + error.what());
    }
}

std::uint64_t randomSeed() {
    std::random_device device;
    return (static_cast<std::uint64_t>(device()) << 32) | device();
}

ServiceClock startClock(const ServiceOptions& options, ServiceClock::Source source) {
    ServiceClock clock(std::move(source));
    if (options.clockStart)
        clock.set(*options.clockStart);
    if (options.clockSpeed)
        clock.setSpeed(*options.clockSpeed);
    return clock;
}

}  // namespace

ServiceContext::ServiceContext(const ServiceOptions& serviceOptions,
                               ServiceClock::Source clockSource)
    : options(serviceOptions),
      clock(startClock(options, std::move(clockSource))),
      calendar(loadCalendar(options.drawTables)),
      db(options.databasePath),
      passwords(options.passwordIterations),
      loginThrottle(options.loginThrottle),
      stamps(db),
      accounts(db, clock, passwords, options.sessionIdleSeconds),
      draws(db, calendar, options.seed.value_or(randomSeed())),
      plans(db),
      boards(db),
      settlement(db, calendar, plans, boards, stamps),
      rankings(db, calendar, plans) {
    migrate(db, passwords);
}

void ServiceContext::catchUp(CivilSeconds now) {
    draws.catchUp(now);
    settlement.run(now);
    rankings.runIfDue(now);
}

}  // namespace quorstat::service
