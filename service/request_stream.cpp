#include "service/request_stream.h"

#include <algorithm>
#include <cstring>

namespace quorstat::service {

ssize_t RequestStream::read(char* data, size_t size) {
    const std::size_t count = std::min(size, request_.size());
    std::memcpy(data, request_.data(), count);
    request_.remove_prefix(count);
    return static_cast<ssize_t>(count);
}

ssize_t RequestStream::write(const char* data, size_t size) {
    reply_.append(data, size);
    return static_cast<ssize_t>(size);
}

void RequestStream::get_remote_ip_and_port(std::string& address, int& port) const {
    address = remote_.address;
    port = remote_.port;
}

void RequestStream::get_local_ip_and_port(std::string& address, int& port) const {
    address = local_.address;
    port = local_.port;
}

}  // namespace quorstat::service
