#pragma once

#include <string>

#include "plan/plan_form_data.h"

namespace quorstat {

// The calculator's part of the plan form as the user sees it: texts of the fields, the choices of
// the lists and the states of the radios and boxes.
struct PlanFormFields {
    int issueIndex = -1;  // 期数 selection (count − 1); -1 when nothing is chosen
    int strategy = 0;     // the first checked radio in code order; 0 when none is
    bool linkPrize = false;
    bool useCapital = false;
    int raiseMode = RaiseAdd;  // the mode list's selection
    std::string unitCost;
    std::string prize;
    std::string capital;
    std::string fixedRate;
    std::string fixedProfit;
    std::string stepProfit;
    std::string startProfit;
    std::string raiseEvery;
    std::string raiseBy;
    std::string segment1Issues;
    std::string segment1Rate;
    std::string segment2Rate;
    std::string initialMultiple;

    bool operator==(const PlanFormFields&) const = default;
};

// The fields showing a stored record: money and rates "%0.2f", cost and prize "%0.3f".
PlanFormFields FieldsFromRecord(const tagCONFIG_MYPLANDATA& record);

// Copies the fields into the record, replacing invalid values by their defaults. Returns the
// message of the last invalid field that concerns the chosen strategy; empty when there is none.
std::string ReadBackForm(const PlanFormFields& fields, tagCONFIG_MYPLANDATA& record);

// Whether the prize stays within what the play can pay for the unit cost.
bool PrizeInRange(int playId, double unitCost, double prize);

// Checks made when the user leaves a field.
bool UnitCostAccepted(double unitCost);
bool PrizeAccepted(double prize, double unitCost);
bool CapitalAccepted(double capital, double unitCost);
// The prize that keeps its ratio to the unit cost when 联动 is on.
double LinkedPrize(double prize, double oldUnitCost, double newUnitCost);

}  // namespace quorstat
