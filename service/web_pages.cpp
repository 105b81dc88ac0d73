#include "service/web_pages.h"

#include <fmt/format.h>
#include <httplib.h>

#include <mutex>

#include "core/text_codec.h"
#include "service/service_context.h"

namespace quorstat::service {
namespace {

constexpr const char* kHtmlType = "text/html; charset=GB18030";

// The first line is the version; the file list after it is the updater's business.
std::string releaseList(const std::string& version) {
    return version + "\r\nQuorlan\r\nQuorstat\r\n";
}

}  // namespace

void WebPages::addTo(httplib::Server& server) {
    server.Get("/html/BetImage.html", [this](const httplib::Request&, httplib::Response& response) {
        response.set_content(ToAnsi(banner(false)), kHtmlType);
    });
    server.Get("/html/BetImageOne.html",
               [this](const httplib::Request&, httplib::Response& response) {
                   response.set_content(ToAnsi(banner(true)), kHtmlType);
               });
    const std::pair<const char*, std::string> lists[] = {
        {"/BetUpdate/Package1/DetailList.zip", context_.options.releaseVersion1},
        {"/BetUpdate/Package2/DetailList.zip", context_.options.releaseVersion2},
    };
    for (const auto& [path, version] : lists) {
        server.Get(path, [text = releaseList(version)](const httplib::Request&,
                                                       httplib::Response& response) {
            response.set_content(text, "application/octet-stream");
        });
    }
}

// The latest draw of every lottery; the evening page the host shows from 18:00 says so.
std::string WebPages::banner(bool evening) {
    std::string rows;
    {
        std::lock_guard lock(context_.lock);
        const CivilSeconds now = context_.clock.now();
        context_.catchUp(now);
        for (const LotterySchedule& lottery : context_.calendar.lotteries()) {
            Statement draw = context_.db.query(
                "SELECT issue, numbers FROM draws WHERE lottery_id = ?1 AND draw_at <= ?2 "
                "ORDER BY draw_at DESC LIMIT 1",
                lottery.id, now);
            if (draw.step())
                rows += fmt::format("<td>{}<br>第{}期 <b>{}</b></td>", lottery.name,
                                    draw.integer(0), draw.text(1));
        }
    }
    return fmt::format(
        "<html><head><meta http-equiv=\"Content-Type\" content=\"{}\">"
        "<title>Norvane</title></head><body bgcolor=\"#FAFAFA\">"
        "<table width=\"100%\"><tr><td><b>『Norvane』投注统计系统</b><br>{}</td>{}</tr></table>"
        "</body></html>",
        kHtmlType, evening ? "晚间开奖进行中" : "最新开奖", rows);
}

}  // namespace quorstat::service
