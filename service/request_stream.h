#pragma once

#include <httplib.h>

#include <string>
#include <string_view>

namespace quorstat::service {

// What the library reads one request from and writes its reply to: the request as it arrived
// in full, and the reply kept until the connection sends it. No call waits on the network.
class RequestStream : public httplib::Stream {
public:
    struct Endpoint {
        std::string address;
        int port = 0;
    };

    RequestStream(std::string_view request, std::string& reply, const Endpoint& remote,
                  const Endpoint& local, int socket)
        : request_(request), reply_(reply), remote_(remote), local_(local), socket_(socket) {}

    bool is_readable() const override { return !request_.empty(); }
    bool is_writable() const override { return true; }
    ssize_t read(char* data, size_t size) override;
    ssize_t write(const char* data, size_t size) override;
    void get_remote_ip_and_port(std::string& address, int& port) const override;
    void get_local_ip_and_port(std::string& address, int& port) const override;
    socket_t socket() const override { return socket_; }

private:
    std::string_view request_;
    std::string& reply_;
    const Endpoint& remote_;
    const Endpoint& local_;
    int socket_;
};

}  // namespace quorstat::service
