#pragma once

#include <string>

#include "service/civil_time.h"

namespace quorstat::service {

class Database;

// Stamps of lists and settings: date-times that strictly increase across the whole service, even
// when two changes fall into one second or the virtual clock is set back, so that a changed list
// never shows a stamp a client has already seen.
class ChangeStamps {
public:
    explicit ChangeStamps(Database& db) : db_(db) {}

    std::string next(CivilSeconds now);

private:
    Database& db_;
};

}  // namespace quorstat::service
