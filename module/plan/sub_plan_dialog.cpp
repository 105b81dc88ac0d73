#include "plan/sub_plan_dialog.h"

#include <QHBoxLayout>

#include "plan/sub_plan_stat_dialog.h"
#include "plan/tools_plan_detail_dialog.h"
#include "ui/prompter.h"

CSubPlanDialog::CSubPlanDialog(CQuorstatApp& app, QWidget* parent)
    : QWidget(parent), form_(new CSubPlanStatDialog(app, this)) {
    setObjectName(QStringLiteral("planPage"));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(form_, 1);
}

void CSubPlanDialog::OnPlanListReply(const std::string&, int flag) {
    if (flag == 1)
        form_->OnUploadAccepted();
}

void CSubPlanDialog::ClearPlanListStamp() {}

std::string CSubPlanDialog::PlanText() const {
    return {};
}

void CSubPlanDialog::RecomposePlanText() {}

void CSubPlanDialog::SetShareFlag(bool shared) {
    form_->ShowShareFlag(shared);
}

void CSubPlanDialog::OnNewDraw() {}

void CSubPlanDialog::ShowPlanDetail(const quorstat::tagPLANITEM& plan) {
    CToolsPlanDetailDialog dialog(plan, this);
    Prompter::instance().exec(dialog);
}

// The form's state belongs to the lottery and play, not to the user, so a new login keeps it.
void CSubPlanDialog::Reset() {}

void CSubPlanDialog::OnSelectionChanged() {
    form_->OnSelectionChanged();
}

void CSubPlanDialog::OnIssueChanged() {
    form_->OnIssueChanged();
}
