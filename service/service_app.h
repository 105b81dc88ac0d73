#pragma once

#include "service/account_pages.h"
#include "service/clock_control.h"
#include "service/connection_hub.h"
#include "service/control_access.h"
#include "service/data_box_pages.h"
#include "service/draw_pages.h"
#include "service/follow_pages.h"
#include "service/plan_pages.h"
#include "service/ranking_control.h"
#include "service/ranking_pages.h"
#include "service/request_server.h"
#include "service/router.h"
#include "service/service_context.h"
#include "service/setup_pages.h"
#include "service/template_pages.h"
#include "service/user_list_pages.h"
#include "service/web_pages.h"

namespace quorstat::service {

// The whole service: database, clock, pages and the HTTP server answering on its own threads.
class ServiceApp {
public:
    explicit ServiceApp(const ServiceOptions& options,
                        ServiceClock::Source clockSource = ServiceClock::systemMillis);
    ~ServiceApp();
    ServiceApp(const ServiceApp&) = delete;
    ServiceApp& operator=(const ServiceApp&) = delete;

    // Binds the address, writes the control token file and starts answering; false when the
    // address cannot be bound, std::runtime_error when the token file cannot be written.
    bool start();
    void stop();
    // The bound port, also when the options asked for any free one.
    int port() const { return port_; }
    // What the control endpoints require as "Authorization: Bearer TOKEN"; programs outside
    // read it from the token file.
    const std::string& controlToken() const { return controlAccess_.token(); }
    ServiceContext& context() { return context_; }

private:
    void route();

    ServiceContext context_;
    Router router_;
    AccountPages accountPages_;
    DrawPages drawPages_;
    FollowPages followPages_;
    PlanPages planPages_;
    UserListPages userListPages_;
    RankingPages rankingPages_;
    DataBoxPages dataBoxPages_;
    TemplatePages templatePages_;
    SetupPages setupPages_;
    WebPages webPages_;
    ControlAccess controlAccess_;
    ClockControl clockControl_;
    RankingControl rankingControl_;
    RequestServer server_;
    ConnectionHub hub_;
    int port_ = 0;
};

}  // namespace quorstat::service
