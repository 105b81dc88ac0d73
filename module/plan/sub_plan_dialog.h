#pragma once

#include <QWidget>

#include "console/plan_panel_view.h"

class CQuorstatApp;
class CSubPlanInfoDialog;
class CSubPlanStatDialog;

// The "我的方案" page: the plan form, and below its table the own-plan list. The central window
// routes the page's replies and events here.
class CSubPlanDialog : public QWidget, public quorstat::PlanPanelView {
    Q_OBJECT
public:
    explicit CSubPlanDialog(CQuorstatApp& app, QWidget* parent = nullptr);

    CSubPlanStatDialog* planForm() const { return form_; }
    CSubPlanInfoDialog* planList() const { return list_; }

    void OnPlanListReply(const std::string& reply, int flag) override;
    void ClearPlanListStamp() override;
    std::string PlanText() const override;
    void RecomposePlanText() override;
    void SetShareFlag(bool shared) override;
    void OnNewDraw() override;
    void OnSettingsChanged() override;

    void ShowPlanDetail(const quorstat::tagPLANITEM& plan) override;
    void Reset() override;
    void OnSelectionChanged() override;
    void OnIssueChanged() override;

signals:
    void groupSendRequested(const QString& text, bool silent);

private:
    CQuorstatApp& app_;
    CSubPlanStatDialog* form_ = nullptr;
    CSubPlanInfoDialog* list_ = nullptr;
};
