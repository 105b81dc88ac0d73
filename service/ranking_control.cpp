#include "service/ranking_control.h"

#include <httplib.h>

#include <mutex>

#include "core/text_codec.h"
#include "service/clock_control.h"
#include "service/reply_writer.h"
#include "service/service_context.h"

namespace quorstat::service {

void RankingControl::addTo(httplib::Server& server) {
    server.Post("/control/rankings", [this](const httplib::Request& request,
                                            httplib::Response& response) {
        if (!ClockControl::isLoopback(request.remote_addr)) {
            response.status = 403;
            response.set_content(ToAnsi(ReplyWriter::failure("只允许本机访问")), kReplyContentType);
            return;
        }
        response.set_content(ToAnsi(run()), kReplyContentType);
    });
}

std::string RankingControl::run() {
    std::lock_guard lock(context_.lock);
    const CivilSeconds now = context_.clock.now();
    context_.catchUp(now);
    return ReplyWriter('1').field(formatDateTime(context_.rankings.runNow(now))).text();
}

}  // namespace quorstat::service
