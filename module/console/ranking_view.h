#pragma once

#include <string>

#include "net/user_record.h"

namespace quorstat {

// The ranking window while it is open.
class RankingView {
public:
    virtual ~RankingView() = default;

    // Replies of types 28 to 30; false when the page could not use it.
    virtual bool OnRankingReply(int type, const std::string& reply) = 0;
    // The user picked when the window closed with OK: name, id and sharing flag; no name when
    // none was.
    virtual tagUSERINFO ChosenUser() const = 0;
};

}  // namespace quorstat
