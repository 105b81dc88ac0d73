#include "templates/template_form.h"

#include <algorithm>

#include "core/app_state.h"
#include "core/text_codec.h"

namespace quorstat {
namespace {

constexpr std::size_t kMaxShortTextBytes = 32;
constexpr std::size_t kMaxRemarkBytes = 512;
constexpr std::string_view kSignatureForbidden = "!@#$%^&*()=<>?/[]{}|\\~`";

// "&" would split the request body, "|" and "$" the service's records, and the service refuses
// control characters: a text holding any of them would not arrive as typed.
bool hasUnsendable(std::string_view text) {
    return std::ranges::any_of(text, [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return c == '&' || c == '|' || c == '$' || byte < 0x20 || byte == 0x7F;
    });
}

struct TextField {
    std::string_view caption;
    std::size_t maxBytes;
    bool required;
};

std::optional<std::string> checkSendable(std::string_view text, std::string_view caption) {
    if (hasUnsendable(text))
        return std::string(caption) + "中含有不能使用的字符";
    return std::nullopt;
}

std::optional<std::string> checkText(std::string_view text, const TextField& field) {
    if (field.required && text.empty())
        return "没有输入" + std::string(field.caption);
    if (AnsiLength(text) > field.maxBytes)
        return std::string(field.caption) + "超长";
    return checkSendable(text, field.caption);
}

constexpr TextField kWin{"“中”名称", kMaxShortTextBytes, true};
constexpr TextField kLoss{"“挂”名称", kMaxShortTextBytes, true};
constexpr TextField kWait{"“等待”名称", kMaxShortTextBytes, true};
constexpr TextField kRemark{"备注", kMaxRemarkBytes, false};

std::optional<std::string> checkName(std::string& name, TemplateFormUse use,
                                     std::span<const tagTEMPLATEITEM> listed) {
    if (name.empty())
        return "没有输入模板名称";
    if (AnsiLength(name) > kMaxShortTextBytes)
        return "模板名称超长";
    if (name.find(AppState::kSystemTemplateName) != std::string::npos) {
        if (use != TemplateFormUse::Add || name != AppState::kSystemTemplateName)
            return "不能包含系统模板名称";
        name = NextTemplateName(listed);
    }
    return checkSendable(name, "模板名称");
}

std::optional<std::string> checkSignature(std::string& signature, bool useUserName) {
    if (useUserName) {
        signature = kUserNameSign;
        return std::nullopt;
    }
    if (AnsiLength(signature) > kMaxShortTextBytes)
        return "签名超长";
    if (signature.find_first_of(kSignatureForbidden) != std::string::npos ||
        hasUnsendable(signature))
        return "签名中含有不能使用的字符";
    return std::nullopt;
}

std::optional<std::string> checkWords(const tagTEMPLATEITEM& item) {
    if (auto problem = checkText(item.Win, kWin))
        return problem;
    if (auto problem = checkText(item.Loss, kLoss))
        return problem;
    if (item.Win == item.Loss)
        return "\"中\"和\"挂\"不能使用相同的名称";
    if (auto problem = checkText(item.Wait, kWait))
        return problem;
    return checkText(item.Remark, kRemark);
}

}  // namespace

TemplateFormReading ReadTemplateForm(const TemplateForm& form, TemplateFormUse use,
                                     std::span<const tagTEMPLATEITEM> listed) {
    tagTEMPLATEITEM item = WithFormContent({}, form.item);
    std::optional<std::string> problem;
    if (use != TemplateFormUse::SystemTemplate)
        problem = checkName(item.TempletName, use, listed);
    if (!problem)
        problem = checkSignature(item.SignName, form.useUserName);
    if (!problem)
        problem = checkWords(item);
    if (problem)
        return {std::nullopt, std::move(*problem)};
    return {std::move(item), {}};
}

std::string NextTemplateName(std::span<const tagTEMPLATEITEM> listed) {
    for (int number = 1;; ++number) {
        std::string name = "模板" + std::to_string(number);
        if (std::ranges::none_of(
                listed, [&](const tagTEMPLATEITEM& item) { return item.TempletName == name; }))
            return name;
    }
}

bool TemplatesDiffer(const tagTEMPLATEITEM& a, const tagTEMPLATEITEM& b) {
    tagTEMPLATEITEM sameId = a;
    sameId.TempletID = b.TempletID;
    return sameId != b;
}

tagTEMPLATEITEM WithFormContent(tagTEMPLATEITEM target, const tagTEMPLATEITEM& edited) {
    const tagTEMPLATEITEM kept = target;
    target = edited;
    target.TempletID = kept.TempletID;
    target.Sort = kept.Sort;
    target.DispCountNum = kept.DispCountNum;
    return target;
}

}  // namespace quorstat
