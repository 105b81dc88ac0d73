#pragma once

#include <string>

#include "service/form_body.h"

namespace quorstat::service {

// The client's version from the Base64 "Ver" field; throws PageError when it is missing or
// unreadable.
std::string readClientVersion(const FormBody& form);

}  // namespace quorstat::service
