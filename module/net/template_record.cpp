#include "net/template_record.h"

#include <array>

#include "net/reply_text.h"
#include "net/tagged_fields.h"

namespace quorstat {
namespace {

// The template and the list-only mark of the template in use.
struct TemplateFields {
    tagTEMPLATEITEM item;
    bool inUse = false;
};

using F = TemplateFields;

template <auto Member, auto Convert>
void store(F& fields, std::string_view value) {
    fields.item.*Member = Convert(value);
}

void storeInUse(F& fields, std::string_view value) {
    fields.inUse = ReadFlag(value);
}

using T = tagTEMPLATEITEM;

// UserName= and DispLotteryName= are sent but not kept.
constexpr std::array<FieldRule<F>, 20> templateRules{{
    {"TempletID=", store<&T::TempletID, ReadInt>},
    {"Sort=", store<&T::Sort, ReadInt>},
    {"TempletName=", store<&T::TempletName, ToText>},
    {"SignName=", store<&T::SignName, ToText>},
    {"Win=", store<&T::Win, ToText>},
    {"Loss=", store<&T::Loss, ToText>},
    {"Wait=", store<&T::Wait, ToText>},
    {"Remark=", store<&T::Remark, ToText>},
    {"DispCode=", store<&T::DispCode, ReadFlag>},
    {"DispSuccessRatio=", store<&T::DispSuccessRatio, ReadFlag>},
    {"DispMultiple=", store<&T::DispMultiple, ReadFlag>},
    {"DispProjectDown=", store<&T::DispProjectDown, ReadFlag>},
    {"DispIssueNum=", store<&T::DispIssueNum, ReadFlag>},
    {"DispProfit=", store<&T::DispProfit, ReadFlag>},
    {"DispProfitCollect=", store<&T::DispProfitCollect, ReadFlag>},
    {"DispHit=", store<&T::DispHit, ReadFlag>},
    {"DispHitNow=", store<&T::DispHitNow, ReadFlag>},
    {"TempletStatus=", storeInUse},
    {"DispCountNum=", store<&T::DispCountNum, ReadInt>},
    {"DispPosition=", store<&T::DispPosition, ReadFlag>},
}};

TemplateFields readTemplate(std::string_view text) {
    TemplateFields fields;
    ReadTaggedFields<F>(text, templateRules, fields);
    return fields;
}

}  // namespace

tagTEMPLATEITEM ParseTemplateRecord(std::string_view text) {
    return readTemplate(text).item;
}

std::optional<tagTEMPLATEITEM> ParseTemplateDetail(std::string_view reply) {
    if (StatusCode(reply) != '1')
        return std::nullopt;
    return ParseTemplateRecord(ReplyBody(reply));
}

TemplateListReply ParseTemplateList(std::string_view reply) {
    TemplateListReply list;
    const auto body = ListReplyBody(reply, list.outcome);
    if (!body || reply.size() < 2)
        return list;
    std::string_view rest = *body;
    const auto count = CutField(rest, '|');
    const std::int32_t limit = ReadInt(count.value_or(rest));
    if (limit > 0) {
        if (!count)
            return list;
        const auto stamp = CutField(rest, '|');
        list.stamp = stamp.value_or(rest);
        if (!stamp)
            rest = {};
        ForEachItem(rest, '$', SplitMode::Lenient, [&](std::string_view record) {
            TemplateFields fields = readTemplate(record);
            if (fields.inUse)
                list.nameInUse = fields.item.TempletName;
            list.templates.push_back(std::move(fields.item));
            return static_cast<std::int32_t>(list.templates.size()) < limit;
        });
    }
    list.outcome = ListOutcome::Loaded;
    return list;
}

}  // namespace quorstat
