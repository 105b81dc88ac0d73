#include "service/ranking_control.h"

#include <httplib.h>

#include <mutex>

#include "service/control_access.h"
#include "service/reply_writer.h"
#include "service/request_server.h"
#include "service/service_context.h"

namespace quorstat::service {

void RankingControl::addTo(RequestServer& server, const ControlAccess& access) {
    server.postWithBody("/control/rankings",
                        access.guard([this](const httplib::Request&) { return run(); }));
}

std::string RankingControl::run() {
    std::lock_guard lock(context_.lock);
    const CivilSeconds now = context_.clock.now();
    context_.catchUp(now);
    return ReplyWriter('1').field(formatDateTime(context_.rankings.runNow(now))).text();
}

}  // namespace quorstat::service
