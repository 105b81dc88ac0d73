#include "templates/template_rows.h"

#include <algorithm>
#include <utility>

#include "console/plan_text.h"
#include "templates/template_form.h"

namespace quorstat {

TemplateRows::TemplateRows(std::vector<tagTEMPLATEITEM> templates, std::string_view nameInUse)
    : rows_(std::move(templates)) {
    if (const tagTEMPLATEITEM* inUse = TemplateInUse(rows_, nameInUse))
        ticked_ = static_cast<int>(inUse - rows_.data());
}

void TemplateRows::tick(int row) {
    if (row >= 0 && row < static_cast<int>(rows_.size()))
        ticked_ = row;
}

std::optional<int> TemplateRows::rowNamed(std::string_view name) const {
    const auto found = std::ranges::find(rows_, name, &tagTEMPLATEITEM::TempletName);
    if (found == rows_.end())
        return std::nullopt;
    return static_cast<int>(found - rows_.begin());
}

TemplateRows::AddOutcome TemplateRows::add(const tagTEMPLATEITEM& edited) {
    if (!canAdd())
        return AddOutcome::Full;
    if (rowNamed(edited.TempletName))
        return AddOutcome::NameTaken;
    rows_.push_back(WithFormContent({}, edited));
    return AddOutcome::Added;
}

std::optional<std::string> TemplateRows::modifyRefusal(int row) const {
    if (row == 0)
        return "不能修改系统模板";
    return std::nullopt;
}

std::optional<std::string> TemplateRows::modify(int row, const tagTEMPLATEITEM& edited) {
    if (auto refusal = modifyRefusal(row))
        return refusal;
    if (!isOwnRow(row))
        return std::nullopt;
    const auto named = rowNamed(edited.TempletName);
    if (named && *named != row)
        return "模板名称设置不正确：存在一个重名的模板";
    auto& target = rows_[static_cast<std::size_t>(row)];
    target = WithFormContent(target, edited);
    return std::nullopt;
}

bool TemplateRows::differsFrom(int row, const tagTEMPLATEITEM& edited) const {
    if (row < 0 || row >= static_cast<int>(rows_.size()))
        return false;
    const auto& current = rows_[static_cast<std::size_t>(row)];
    return TemplatesDiffer(WithFormContent(current, edited), current);
}

void TemplateRows::remove(const std::vector<int>& rows) {
    std::vector<int> doomed;
    std::ranges::copy_if(rows, std::back_inserter(doomed), [&](int row) { return isOwnRow(row); });
    std::ranges::sort(doomed, std::greater<>());
    doomed.erase(std::unique(doomed.begin(), doomed.end()), doomed.end());
    for (const int row : doomed) {
        rows_.erase(rows_.begin() + row);
        if (ticked_ == row)
            ticked_ = 0;
        else if (ticked_ > row)
            --ticked_;
    }
}

std::optional<int> TemplateRows::moveUp(int row) {
    if (!isOwnRow(row) || row < 2)
        return std::nullopt;
    swapRows(row, row - 1);
    return row - 1;
}

std::optional<int> TemplateRows::moveDown(int row) {
    if (!isOwnRow(row) || row + 1 >= static_cast<int>(rows_.size()))
        return std::nullopt;
    swapRows(row, row + 1);
    return row + 1;
}

TemplateManagerResult TemplateRows::result() const {
    TemplateManagerResult result{rows_, {}};
    for (std::size_t i = 0; i < result.templates.size(); ++i)
        result.templates[i].Sort = static_cast<std::int32_t>(i);
    if (!rows_.empty())
        result.chosenName = rows_[static_cast<std::size_t>(ticked_)].TempletName;
    return result;
}

bool TemplateRows::isOwnRow(int row) const {
    return row >= 1 && row < static_cast<int>(rows_.size());
}

void TemplateRows::swapRows(int a, int b) {
    std::swap(rows_[static_cast<std::size_t>(a)], rows_[static_cast<std::size_t>(b)]);
    if (ticked_ == a)
        ticked_ = b;
    else if (ticked_ == b)
        ticked_ = a;
}

}  // namespace quorstat
