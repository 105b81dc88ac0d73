#include "service/change_stamps.h"

#include <algorithm>

#include "service/database.h"

namespace quorstat::service {

std::string ChangeStamps::next(CivilSeconds now) {
    Statement last = db_.query("SELECT value FROM meta WHERE key = 'last_stamp'");
    CivilSeconds stamp = now;
    if (last.step())
        stamp = std::max(now, parseDateTime(last.text(0)).value_or(now) + 1);
    const std::string text = formatDateTime(stamp);
    db_.query(
           "INSERT INTO meta (key, value) VALUES ('last_stamp', ?1) "
           "ON CONFLICT (key) DO UPDATE SET value = excluded.value",
           text)
        .run();
    return text;
}

}  // namespace quorstat::service
