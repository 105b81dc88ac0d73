#pragma once

#include <QDialog>
#include <QStringList>
#include <string>

#include "console/data_box_view.h"
#include "console/plan_panel_view.h"
#include "console/ranking_view.h"
#include "console/share_panel_view.h"

// Stand-ins for the panels of later work: each call is written down as "Name" or "Name:detail".
struct RecordingPlanPanel : quorstat::PlanPanelView {
    QStringList calls;
    std::string planText;

    void OnPlanListReply(const std::string& reply, int flag) override {
        calls << QStringLiteral("PlanList:%1:%2").arg(flag).arg(QString::fromStdString(reply));
    }
    void ClearPlanListStamp() override { calls << QStringLiteral("ClearStamp"); }
    std::string PlanText() const override { return planText; }
    void RecomposePlanText() override { calls << QStringLiteral("Recompose"); }
    void ShowPlanDetail(const quorstat::tagPLANITEM& plan) override {
        calls << QStringLiteral("Detail:%1").arg(plan.planId);
    }
    void SetShareFlag(bool shared) override {
        calls << QStringLiteral("Share:%1").arg(shared ? 1 : 0);
    }
    void Reset() override { calls << QStringLiteral("Reset"); }
    void OnSelectionChanged() override { calls << QStringLiteral("Selection"); }
    void OnIssueChanged() override { calls << QStringLiteral("Issue"); }
    void OnNewDraw() override { calls << QStringLiteral("Draw"); }
    void OnSettingsChanged() override { calls << QStringLiteral("Settings"); }
};

struct RecordingSharePanel : quorstat::SharePanelView {
    QStringList calls;

    void OnUserListReply(const std::string& reply) override {
        calls << QStringLiteral("Users:") + QString::fromStdString(reply);
    }
    void OnSharedPlanReply(const std::string& reply) override {
        calls << QStringLiteral("Plans:") + QString::fromStdString(reply);
    }
    void ShowTemplate(const std::optional<quorstat::tagTEMPLATEITEM>& item) override {
        calls << QStringLiteral("Template:") +
                     (item ? QString::fromStdString(item->TempletName) : QStringLiteral("-"));
    }
    void ShowUserPlans(const quorstat::tagUSERINFO& user) override {
        calls << QStringLiteral("UserPlans:%1:%2:%3")
                     .arg(QString::fromStdString(user.userName))
                     .arg(user.userInfoId)
                     .arg(user.shares);
    }
    void Reset() override { calls << QStringLiteral("Reset"); }
    void Reload() override { calls << QStringLiteral("Reload"); }
    void OnNewDraw() override { calls << QStringLiteral("Draw"); }
    void OnUserListPageSizeChanged() override { calls << QStringLiteral("PageSize"); }
};

struct RecordingDataBox : quorstat::DataBoxView {
    QStringList calls;

    void OnPlanContentReply(int type, const std::string&) override {
        calls << QStringLiteral("Content:%1").arg(type);
    }
    void OnPlanStatusReply(int type, const std::string&) override {
        calls << QStringLiteral("Status:%1").arg(type);
    }
    void AddToBigBase(const quorstat::tagPLANITEM& plan) override {
        calls << QStringLiteral("BigBase:%1").arg(plan.planId);
    }
    void KnownPlanFailed() override { calls << QStringLiteral("KnownPlanFailed"); }
    void ClearBoxes() override { calls << QStringLiteral("Clear"); }
    void OnNewDraw() override { calls << QStringLiteral("Draw"); }
};

class RecordingRankingDialog : public QDialog, public quorstat::RankingView {
public:
    RecordingRankingDialog(int list, bool acceptsReplies, QWidget* parent)
        : QDialog(parent), listId(list), acceptsReplies_(acceptsReplies) {}

    bool OnRankingReply(int type, const std::string&) override {
        replies << type;
        return acceptsReplies_;
    }
    quorstat::tagUSERINFO ChosenUser() const override { return chosen; }

    int listId;
    QList<int> replies;
    quorstat::tagUSERINFO chosen;

private:
    bool acceptsReplies_;
};
