#include "plan/plan_form_store.h"

#include <algorithm>

#include "core/atomic_file.h"
#include "plan/plan_form_file.h"

namespace quorstat {

PlanFormStore::PlanFormStore(std::filesystem::path file) : file_(std::move(file)) {}

void PlanFormStore::load() {
    const auto bytes = ReadWholeFile(file_);
    records_ = bytes ? ReadPlanFormFile(*bytes) : std::vector<tagCONFIG_MYPLANDATA>{};
    selected_ = false;
    savedImage_ = WritePlanFormFile(records_);
}

tagCONFIG_MYPLANDATA& PlanFormStore::select(int lotteryId, int playId) {
    const auto found = std::ranges::find_if(records_, [&](const tagCONFIG_MYPLANDATA& record) {
        return record.lotteryId == lotteryId && record.playId == playId;
    });
    if (found != records_.end()) {
        current_ = static_cast<std::size_t>(found - records_.begin());
    } else {
        // Defaults alone are no change of the user's: a store that matched its file still does.
        const bool wasUnchanged = unchanged();
        records_.push_back(NewPlanFormData(lotteryId, playId));
        current_ = records_.size() - 1;
        if (wasUnchanged)
            savedImage_ = WritePlanFormFile(records_);
    }
    selected_ = true;
    return records_[current_];
}

tagCONFIG_MYPLANDATA* PlanFormStore::current() {
    return selected_ ? &records_[current_] : nullptr;
}

void PlanFormStore::settleCurrent(const tagCONFIG_MYPLANDATA& shown) {
    if (!selected_)
        return;
    const bool wasUnchanged = unchanged();
    records_[current_] = shown;
    if (wasUnchanged)
        savedImage_ = WritePlanFormFile(records_);
}

bool PlanFormStore::unchanged() const {
    return WritePlanFormFile(records_) == savedImage_;
}

bool PlanFormStore::save() {
    return WriteFileIfChanged(file_, WritePlanFormFile(records_), savedImage_);
}

}  // namespace quorstat
