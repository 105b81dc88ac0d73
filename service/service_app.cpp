#include "service/service_app.h"

#include <fmt/format.h>
#include <httplib.h>

#include "core/text_codec.h"
#include "service/reply_writer.h"

namespace quorstat::service {

ServiceApp::ServiceApp(const ServiceOptions& options, ServiceClock::Source clockSource)
    : context_(options, std::move(clockSource)),
      router_(context_),
      accountPages_(context_),
      drawPages_(context_),
      followPages_(context_),
      planPages_(context_),
      userListPages_(context_),
      rankingPages_(context_),
      dataBoxPages_(context_),
      templatePages_(context_),
      setupPages_(context_),
      webPages_(context_),
      controlAccess_(controlTokenPath(options)),
      clockControl_(context_),
      rankingControl_(context_),
      hub_(options.connections, options.maxBodyBytes,
           [this](httplib::Stream& stream, bool closeConnection) {
               return server_.serve(stream, closeConnection);
           }) {
    accountPages_.addTo(router_);
    drawPages_.addTo(router_);
    followPages_.addTo(router_);
    planPages_.addTo(router_);
    userListPages_.addTo(router_);
    rankingPages_.addTo(router_);
    dataBoxPages_.addTo(router_);
    templatePages_.addTo(router_);
    setupPages_.addTo(router_);
    route();
}

ServiceApp::~ServiceApp() {
    stop();
}

void ServiceApp::route() {
    server_.postWithBody(R"(/BetInfo1/release/([^/]+))",
                         [this](const httplib::Request& request, httplib::Response& response) {
                             response.set_content(router_.answer(request.matches[1].str(),
                                                                 request.body, request.remote_addr),
                                                  kReplyContentType);
                         });
    webPages_.addTo(server_);
    clockControl_.addTo(server_, controlAccess_);
    rankingControl_.addTo(server_, controlAccess_);
    // Requests that never reach a page still get a reply in the service's grammar.
    server_.set_error_handler([](const httplib::Request&, httplib::Response& response) {
        if (response.body.empty())
            response.set_content(ToAnsi(ReplyWriter::httpFailure(response.status)),
                                 kReplyContentType);
    });
    server_.set_exception_handler(
        [](const httplib::Request&, httplib::Response& response, std::exception_ptr error) {
            try {
                std::rethrow_exception(error);
            } catch (const std::exception& exception) {
                fmt::print(stderr, "quorstat-service: {}\n", exception.what());
            } catch (...) {
                fmt::print(stderr, "quorstat-service: unknown exception\n");
            }
            response.status = 500;
            response.set_content(ToAnsi(ReplyWriter::httpFailure(500)), kReplyContentType);
        });
}

bool ServiceApp::start() {
    port_ = hub_.listen(context_.options.listenAddress, context_.options.port);
    if (port_ <= 0)
        return false;
    controlAccess_.publish();
    hub_.start();
    return true;
}

void ServiceApp::stop() {
    hub_.stop();
    controlAccess_.withdraw();
}

}  // namespace quorstat::service
