#include "ui/check_commands.h"

namespace quorstat {

std::string_view CheckCommandText(CheckCommand command) {
    switch (command) {
        case CheckCommand::All:
            return "全勾选";
        case CheckCommand::Invert:
            return "反勾选";
        case CheckCommand::None:
            return "全不勾选";
        case CheckCommand::OddRows:
            return "勾选奇数行";
        case CheckCommand::EvenRows:
            return "勾选偶数行";
    }
    return {};
}

std::vector<bool> ApplyCheckCommand(CheckCommand command, const std::vector<bool>& checked) {
    std::vector<bool> result(checked.size());
    for (std::size_t row = 0; row < checked.size(); ++row) {
        const bool oddRow = row % 2 == 0;  // row 1, 3, ... as the user counts
        switch (command) {
            case CheckCommand::All:
                result[row] = true;
                break;
            case CheckCommand::Invert:
                result[row] = !checked[row];
                break;
            case CheckCommand::None:
                result[row] = false;
                break;
            case CheckCommand::OddRows:
                result[row] = oddRow;
                break;
            case CheckCommand::EvenRows:
                result[row] = !oddRow;
                break;
        }
    }
    return result;
}

}  // namespace quorstat
