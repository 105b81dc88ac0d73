#pragma once

#include <string>
#include <string_view>

#include "databox/box_evaluation.h"
#include "databox/plan_bigp_data.h"
#include "plan/play_state.h"

namespace quorstat {

inline constexpr std::string_view kStagedDataName = "暂存区数据";

// The result side of a box: "结果区" with the computed numbers and their count, and "暂存区" where
// results are parked, blocks separated by an empty line.
class ResultArea {
public:
    const std::string& result() const { return result_.text; }
    int resultCount() const { return result_.count; }
    const std::string& staging() const { return staging_; }

    void setResult(BoxResult result) { result_ = std::move(result); }
    // "查看": the item's numbers become the result.
    void view(const tagPLANBIGPDATA& item, const PlayState& play);
    // "取反": every number of the play that the result lacks; a 组选 play knows only numbers
    // with non-decreasing digits.
    void complement(const PlayState& play);
    // "转暂存区": the result is appended to the staging area and emptied.
    void toStaging();
    void clearStaging() { staging_.clear(); }
    // "转大底盒": every block of the staging area with at least one number becomes an item of root,
    // named "暂存区数据" made unique. Returns the number of items added.
    int stagingToItems(tagPLANBIGPDATA& root, const PlayState& play) const;

private:
    BoxResult result_;
    std::string staging_;
};

// The text as the result side shows it: the same numbers, about 60 characters of them to a line
// (ten five-digit numbers). One line of 100 000 numbers takes a text view a quarter of a second to
// lay out; lines of ten take it 20 ms.
std::string ResultDisplayText(std::string_view text);

}  // namespace quorstat
