#pragma once

#include <string>

#include "net/plan_record.h"

namespace quorstat {

// What the central window asks of the data box.
class DataBoxView {
public:
    virtual ~DataBoxView() = default;

    // Plan contents (types 32 to 34) and plan states (35, 36).
    virtual void OnPlanContentReply(int type, const std::string& reply) = 0;
    virtual void OnPlanStatusReply(int type, const std::string& reply) = 0;
    virtual void AddToBigBase(const tagPLANITEM& plan) = 0;
    // A plan asked for by its id (type 18) did not come.
    virtual void KnownPlanFailed() = 0;
    virtual void ClearBoxes() = 0;
    virtual void OnNewDraw() = 0;
};

}  // namespace quorstat
