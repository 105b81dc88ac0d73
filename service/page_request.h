#pragma once

#include "service/account_store.h"
#include "service/civil_time.h"
#include "service/form_body.h"

namespace quorstat::service {

// What a page handler gets: the body, the session's user (null on pages open without one) and
// the service time the whole request sees.
struct PageRequest {
    const FormBody& form;
    const SessionUser* user;
    CivilSeconds now;
};

}  // namespace quorstat::service
