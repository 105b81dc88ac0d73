#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "net/template_record.h"

namespace quorstat {

// The plan-text templates the user can pick from, as the service last listed them.
class TemplateList {
public:
    std::vector<tagTEMPLATEITEM> items;
    std::string stamp;        // sent back with the next list request
    std::string pendingName;  // picked in the template manager, applied to the next list

    // While a pick waits, the whole list is asked for: a list the service reports unchanged
    // would never apply it.
    std::string_view stampToSend() const {
        return pendingName.empty() ? std::string_view(stamp) : std::string_view();
    }

    enum class Outcome {
        Unchanged,  // nothing to do
        Loaded,     // the picker must be refilled
        Retry,      // ask again after a pause
    };
    // `currentName` takes the template the service marks as in use.
    Outcome apply(const TemplateListReply& reply, std::string& currentName);

    struct Choice {
        int index = 0;
        // The choice to report to the service: the template manager's pick (0 when it is gone).
        std::optional<int> selectedTemplateId;
    };
    // The picker entry after a refill; `currentName` follows it. None while the list is empty.
    std::optional<Choice> choose(std::string& currentName);

    // What a user without templates of his own writes with.
    static tagTEMPLATEITEM SystemTemplate();
};

}  // namespace quorstat
