#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "net/template_record.h"

namespace quorstat {

// What the template form holds: the name, the texts and the ten switches in `item`; with
// `useUserName` ticked the signature field is not read.
struct TemplateForm {
    tagTEMPLATEITEM item;
    bool useUserName = false;
};

enum class TemplateFormUse {
    Add,             // a name of exactly "系统模板" becomes the next free "模板N"
    Modify,          // a name containing "系统模板" is refused
    SystemTemplate,  // the form has no name field
};

// Either the template read from the form or the problem to show after "模板设置不正确：".
struct TemplateFormReading {
    std::optional<tagTEMPLATEITEM> item;
    std::string problem;
};

// Checks the form field by field in the manager's order; the first problem wins. `listed` are the
// templates of the list, for the "模板N" naming. The id, sort key and count of the result are 0.
TemplateFormReading ReadTemplateForm(const TemplateForm& form, TemplateFormUse use,
                                     std::span<const tagTEMPLATEITEM> listed);

// "模板" followed by the smallest number from 1 that no listed template is named with.
std::string NextTemplateName(std::span<const tagTEMPLATEITEM> listed);

// Whether two templates read differently: any text, switch, sort key or count; never the id.
bool TemplatesDiffer(const tagTEMPLATEITEM& a, const tagTEMPLATEITEM& b);

// `target` with the name, texts and switches of `edited`; its id, sort key and count stay.
tagTEMPLATEITEM WithFormContent(tagTEMPLATEITEM target, const tagTEMPLATEITEM& edited);

}  // namespace quorstat
