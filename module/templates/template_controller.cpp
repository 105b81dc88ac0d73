#include "templates/template_controller.h"

#include "console/console_dialog.h"
#include "console/sub_status_dialog.h"
#include "core/quorstat_app.h"
#include "net/request_types.h"
#include "templates/template_changes.h"
#include "templates/tools_sys_template_editor_dialog.h"
#include "templates/tools_template_dialog.h"
#include "ui/prompter.h"

CTemplateController::CTemplateController(CQuorstatApp& app, CConsoleDialog& console)
    : QObject(&console), app_(app), console_(console) {
    connect(&console, &CConsoleDialog::templateManagerRequested, this,
            &CTemplateController::openManager);
    connect(console.statusPanel(), &CSubStatusDialog::systemTemplateEditorRequested, this,
            &CTemplateController::openSystemEditor);
}

void CTemplateController::openManager() {
    const auto& templates = app_.templates;
    if (templates.items.empty())
        return;
    CToolsTemplateDialog dialog(templates.items, app_.currentTemplateName, &console_);
    if (Prompter::instance().exec(dialog) != QDialog::Accepted)
        return;
    const quorstat::TemplateChanges changes = quorstat::PlanTemplateChanges(
        dialog.editedList(), templates.items, app_.currentTemplateName);
    if (!changes.pendingName.empty())
        app_.templates.pendingName = changes.pendingName;
    for (const quorstat::TemplateRequest& request : changes.requests)
        queue(request);
}

void CTemplateController::openSystemEditor() {
    const auto& templates = app_.templates.items;
    if (templates.empty())
        return;
    CToolsSysTemplateEditorDialog dialog(templates.front(), &console_);
    if (Prompter::instance().exec(dialog) == QDialog::Accepted)
        app_.queue(app_.catalogue().templateUpload(dialog.edited()));
}

void CTemplateController::queue(const quorstat::TemplateRequest& request) {
    namespace Type = quorstat::RequestType;
    const quorstat::RequestCatalogue catalogue = app_.catalogue();
    switch (request.type) {
        case Type::TemplateAdd:
        case Type::TemplateChange:
            app_.queue(catalogue.templateUpload(request.item));
            break;
        case Type::TemplateDelete:
            app_.queue(catalogue.templateDelete(request.item.TempletID));
            break;
        default:
            app_.queue(catalogue.templateList(app_.templates.stampToSend()));
            break;
    }
}
