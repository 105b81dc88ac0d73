#pragma once

#include <stdexcept>
#include <string>

namespace quorstat::service {

// Bad input found while answering a page: the page answers status "0" with this message and
// nothing it changed is kept.
class PageError : public std::runtime_error {
public:
    explicit PageError(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace quorstat::service
