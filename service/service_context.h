#pragma once

#include <mutex>

#include "service/account_store.h"
#include "service/change_stamps.h"
#include "service/database.h"
#include "service/draw_maker.h"
#include "service/lottery_calendar.h"
#include "service/service_clock.h"
#include "service/service_options.h"

namespace quorstat::service {

// Everything the pages share. One request at a time holds `lock` while it reads or changes the
// database or the clock.
struct ServiceContext {
    ServiceContext(const ServiceOptions& serviceOptions, ServiceClock::Source clockSource);

    ServiceOptions options;
    ServiceClock clock;
    LotteryCalendar calendar;
    Database db;
    ChangeStamps stamps;
    AccountStore accounts;
    DrawMaker draws;
    std::mutex lock;
};

}  // namespace quorstat::service
