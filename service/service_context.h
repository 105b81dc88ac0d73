#pragma once

#include <mutex>

#include "service/account_store.h"
#include "service/change_stamps.h"
#include "service/database.h"
#include "service/draw_maker.h"
#include "service/login_throttle.h"
#include "service/lottery_calendar.h"
#include "service/password_hasher.h"
#include "service/plan_boards.h"
#include "service/plan_store.h"
#include "service/ranking_job.h"
#include "service/service_clock.h"
#include "service/service_options.h"
#include "service/settlement.h"

namespace quorstat::service {

// Everything the pages share. One request at a time holds `lock` while it reads or changes the
// database or the clock.
struct ServiceContext {
    ServiceContext(const ServiceOptions& serviceOptions, ServiceClock::Source clockSource);

    ServiceOptions options;
    ServiceClock clock;
    LotteryCalendar calendar;
    Database db;
    PasswordHasher passwords;
    LoginThrottle loginThrottle;
    ChangeStamps stamps;
    AccountStore accounts;
    DrawMaker draws;
    PlanStore plans;
    PlanBoards boards;
    Settlement settlement;
    RankingJob rankings;
    std::mutex lock;

    // Makes the draws the clock has passed, settles the plans waiting for them and runs the
    // ranking job when it is due. Every request runs this under the lock before it reads
    // anything.
    void catchUp(CivilSeconds now);

    // Runs `work` under the lock inside one transaction, kept when `work` returns. For pages
    // that take the lock themselves around a slow step that needs none.
    template <class Work>
    auto exclusive(Work&& work) {
        std::lock_guard guard(lock);
        Database::Transaction transaction(db);
        auto result = work();
        transaction.commit();
        return result;
    }
};

}  // namespace quorstat::service
