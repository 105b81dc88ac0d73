#pragma once

#include <QWidget>
#include <array>
#include <vector>

#include "console/share_panel_view.h"
#include "net/user_record.h"
#include "share/search_user_config.h"

class CQuorstatApp;
class CSubShareUserDialog;
class HistoryEdit;
class QButtonGroup;
class QCheckBox;
class QGroupBox;

namespace quorstat {
class SharePlanView;
}

// The "网络方案" page: the search panel across the top left, the user list below it and the
// shared-plan panel on the right. The central window routes the page's replies here.
class CSubShareDialog : public QWidget, public quorstat::SharePanelView {
    Q_OBJECT
public:
    explicit CSubShareDialog(CQuorstatApp& app, QWidget* parent = nullptr);

    // The shared-plan panel takes the right-hand side; until it does, that side stays empty and
    // "查看" is not offered.
    void attachPlanPanel(QWidget* panel, quorstat::SharePlanView* view);

    // "搜索": checks the filters and asks for page 1. A silent search shows no message; false
    // when a check failed.
    bool Search(bool silent);
    // "重置": every filter off and empty, all users; nothing is stored until the next search.
    void ResetFilters();
    // Follows or unfollows a user (never oneself) and marks him everywhere at once.
    void Follow(const quorstat::tagUSERINFO& user, bool follow);
    void SetFollowed(std::string_view userName, bool followed);

    void OnUserListReply(const std::string& reply) override;
    void OnSharedPlanReply(const std::string& reply) override;
    void ShowTemplate(const std::optional<quorstat::tagTEMPLATEITEM>& item) override;
    void ShowUserPlans(const quorstat::tagUSERINFO& user) override;
    void Reset() override;
    void Reload() override;
    void OnNewDraw() override;
    void OnUserListPageSizeChanged() override;

    CSubShareUserDialog* userList() const { return userList_; }
    QGroupBox* searchPanel() const { return searchPanel_; }

signals:
    // Users who share their plans, for the big-base box (0) or the plan box (1).
    void dataBoxTransferRequested(const std::vector<quorstat::tagUSERINFO>& users, int box,
                                  bool newGroup);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildSearchPanel();
    void layoutParts();
    void showSettings(const quorstat::tagSEARCHUSERCONFIG& settings);
    void reloadNow();

    CQuorstatApp& app_;
    QGroupBox* searchPanel_ = nullptr;
    QButtonGroup* listMode_ = nullptr;
    std::array<QCheckBox*, quorstat::kUserFilterCount> filterOn_{};
    std::array<HistoryEdit*, quorstat::kUserFilterCount> filterText_{};
    CSubShareUserDialog* userList_ = nullptr;
    QWidget* planPanel_ = nullptr;
    quorstat::SharePlanView* planView_ = nullptr;
    bool reloadPending_ = false;
};
