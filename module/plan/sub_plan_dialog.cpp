#include "plan/sub_plan_dialog.h"

#include <QHBoxLayout>
#include <QPlainTextEdit>

#include "core/quorstat_app.h"
#include "plan/sub_plan_info_dialog.h"
#include "plan/sub_plan_stat_dialog.h"
#include "plan/tools_plan_detail_dialog.h"
#include "ui/prompter.h"

CSubPlanDialog::CSubPlanDialog(CQuorstatApp& app, QWidget* parent)
    : QWidget(parent),
      app_(app),
      form_(new CSubPlanStatDialog(app, this)),
      list_(new CSubPlanInfoDialog(app, this)) {
    setObjectName(QStringLiteral("planPage"));
    form_->placeBelowTable(list_);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(form_, 1);
    connect(list_, &CSubPlanInfoDialog::groupSendRequested, this,
            &CSubPlanDialog::groupSendRequested);
}

void CSubPlanDialog::OnPlanListReply(const std::string& reply, int flag) {
    if (flag == 1)
        form_->OnUploadAccepted();
    list_->OnPlanListReply(reply, flag);
}

void CSubPlanDialog::ClearPlanListStamp() {
    list_->ClearPlanListStamp();
}

std::string CSubPlanDialog::PlanText() const {
    return list_->PlanText();
}

void CSubPlanDialog::RecomposePlanText() {
    list_->RecomposePlanText();
}

void CSubPlanDialog::SetShareFlag(bool shared) {
    form_->ShowShareFlag(shared);
}

void CSubPlanDialog::OnNewDraw() {
    list_->OnNewDraw();
}

// The plan text in the user's font and colours.
void CSubPlanDialog::OnSettingsChanged() {
    app_.planTextLook.applyTo(*list_->planTextEdit());
}

void CSubPlanDialog::ShowPlanDetail(const quorstat::tagPLANITEM& plan) {
    CToolsPlanDetailDialog dialog(plan, this);
    Prompter::instance().exec(dialog);
}

// The form's state belongs to the lottery and play, not to the user, so a new login keeps it;
// the list is the user's.
void CSubPlanDialog::Reset() {
    list_->Reset();
}

void CSubPlanDialog::OnSelectionChanged() {
    form_->OnSelectionChanged();
    list_->Reset();
}

void CSubPlanDialog::OnIssueChanged() {
    form_->OnIssueChanged();
    list_->OnIssueChanged();
}
