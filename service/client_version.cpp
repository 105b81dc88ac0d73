#include "service/client_version.h"

#include <optional>

#include "service/base64.h"
#include "service/page_error.h"

namespace quorstat::service {

std::string readClientVersion(const FormBody& form) {
    std::optional<std::string> version = base64Decode(form.required("Ver"));
    if (!version || version->empty())
        throw PageError("版本信息不正确");
    return std::move(*version);
}

}  // namespace quorstat::service
