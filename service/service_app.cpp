#include "service/service_app.h"

#include <fmt/format.h>
#include <httplib.h>

#include <sys/socket.h>

#include <chrono>

#include "core/text_codec.h"
#include "service/reply_writer.h"

namespace quorstat::service {
namespace {

constexpr int kListenBacklog = 512;

// Requests that never reach a page still get a reply in the service's grammar.
std::string errorMessage(int status) {
    switch (status) {
        case 404:
            return "请求的页面不存在";
        case 413:
            return "请求数据过长";
        case 500:
            return "服务器内部错误，请稍后再试";
        default:
            return "请求不正确";
    }
}

}  // namespace

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
      server_(std::make_unique<httplib::Server>()) {
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
    server_->set_payload_max_length(context_.options.maxBodyBytes);
    // The library listens with a backlog of 5, so clients connecting at once would wait for the
    // kernel to retransmit; start() listens on the socket again with a longer queue.
    server_->set_socket_options([this](int socket) {
        httplib::default_socket_options(socket);
        listenSocket_ = socket;
    });
    server_->Post(R"(/BetInfo1/release/([^/]+))",
                  [this](const httplib::Request& request, httplib::Response& response) {
                      response.set_content(router_.answer(request.matches[1].str(), request.body,
                                                          request.remote_addr),
                                           kReplyContentType);
                  });
    webPages_.addTo(*server_);
    clockControl_.addTo(*server_, controlAccess_);
    rankingControl_.addTo(*server_, controlAccess_);
    server_->set_error_handler([](const httplib::Request&, httplib::Response& response) {
        if (response.body.empty())
            response.set_content(ToAnsi(ReplyWriter::failure(errorMessage(response.status))),
                                 kReplyContentType);
    });
    server_->set_exception_handler([](const httplib::Request&, httplib::Response& response,
                                      std::exception_ptr error) {
        try {
            std::rethrow_exception(error);
        } catch (const std::exception& exception) {
            fmt::print(stderr, "quorstat-service: {}\n", exception.what());
        } catch (...) {
            fmt::print(stderr, "quorstat-service: unknown exception\n");
        }
        response.status = 500;
        response.set_content(ToAnsi(ReplyWriter::failure(errorMessage(500))), kReplyContentType);
    });
}

bool ServiceApp::start() {
    const ServiceOptions& options = context_.options;

    if (options.port == 0)
        port_ = server_->bind_to_any_port(options.listenAddress);
    else
        port_ = server_->bind_to_port(options.listenAddress, options.port) ? options.port : -1;
    if (port_ <= 0)
        return false;
    ::listen(listenSocket_, kListenBacklog);
    controlAccess_.publish();
    thread_ = std::thread([this] { server_->listen_after_bind(); });
    // A stop() that comes before the accept loop runs would be lost.
    while (!server_->is_running())
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    return true;
}

void ServiceApp::stop() {
    if (!thread_.joinable())
        return;
    server_->stop();
    thread_.join();
    controlAccess_.withdraw();
}

}  // namespace quorstat::service
