#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "net/template_record.h"

namespace quorstat {

// What the template manager hands back on OK.
struct TemplateManagerResult {
    std::vector<tagTEMPLATEITEM> templates;  // in row order, each sort key its row index
    std::string chosenName;                  // of the row ticked in the "启用" column
};

// The template manager's working copy of the list: the rows in display order, the first being the
// system template, which is never changed, removed or moved, and the row ticked as in use.
class TemplateRows {
public:
    // The system template and at most six of the user's own.
    static constexpr std::size_t kMaxRows = 7;

    // The ticked row is the template in use by that name, else the first.
    TemplateRows(std::vector<tagTEMPLATEITEM> templates, std::string_view nameInUse);

    const std::vector<tagTEMPLATEITEM>& rows() const { return rows_; }
    std::size_t size() const { return rows_.size(); }
    int tickedRow() const { return ticked_; }
    void tick(int row);

    bool canAdd() const { return rows_.size() < kMaxRows; }
    std::optional<int> rowNamed(std::string_view name) const;
    // Appends a template read from the form, as not yet uploaded (id 0). A full list or a name
    // already listed leaves the rows as they are.
    enum class AddOutcome { Added, NameTaken, Full };
    AddOutcome add(const tagTEMPLATEITEM& edited);

    // Why the row cannot be modified at all, if so.
    std::optional<std::string> modifyRefusal(int row) const;
    // Takes the form's content into the row, keeping its id; the problem when another row has the
    // same name.
    std::optional<std::string> modify(int row, const tagTEMPLATEITEM& edited);
    // Whether taking the form's content would change the row.
    bool differsFrom(int row, const tagTEMPLATEITEM& edited) const;

    // Removes the given rows except the first; a removed tick goes to the first row.
    void remove(const std::vector<int>& rows);
    // The row's new index; none when it keeps its place.
    std::optional<int> moveUp(int row);
    std::optional<int> moveDown(int row);

    TemplateManagerResult result() const;

private:
    bool isOwnRow(int row) const;
    void swapRows(int a, int b);

    std::vector<tagTEMPLATEITEM> rows_;
    int ticked_ = 0;
};

}  // namespace quorstat
