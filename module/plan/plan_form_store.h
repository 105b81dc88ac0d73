#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

#include "plan/plan_form_data.h"

namespace quorstat {

// The form states of every lottery and play, kept in "MyPlanDataConfig.dat", and the one the form
// shows. A file that cannot be read, or only in part, is left on disk as it is until the user
// changes something.
class PlanFormStore {
public:
    explicit PlanFormStore(std::filesystem::path file);

    // Reads the file; what cannot be read is left out.
    void load();
    // Makes the pair's state current, first creating it with the defaults when it is new.
    tagCONFIG_MYPLANDATA& select(int lotteryId, int playId);
    // The state the form shows; null before the first select().
    tagCONFIG_MYPLANDATA* current();
    // Replaces the current state by the way the form shows it (a prize above the play's cap, a
    // first segment longer than the plan are shown corrected); that is no change of the user's.
    void settleCurrent(const tagCONFIG_MYPLANDATA& shown);
    // Writes the whole file when anything differs from what it holds; false when that failed.
    bool save();

    const std::vector<tagCONFIG_MYPLANDATA>& records() const { return records_; }
    const std::filesystem::path& file() const { return file_; }

private:
    bool unchanged() const;

    std::filesystem::path file_;
    std::vector<tagCONFIG_MYPLANDATA> records_;
    std::size_t current_ = 0;
    bool selected_ = false;
    // The file as the records stood when last read or written.
    std::string savedImage_;
};

}  // namespace quorstat
