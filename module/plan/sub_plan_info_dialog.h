#pragma once

#include <QWidget>
#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "databox/data_box.h"
#include "net/service_request.h"
#include "plan/own_plan_list.h"

class CGridCtrl;
class CQuorstatApp;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class QTimer;

// The own-plan list of the plan page: the plan text and the list of the user's plans of the
// current lottery and play, as the service settles them, with its statistics, paging and actions.
class CSubPlanInfoDialog : public QWidget {
    Q_OBJECT
public:
    static constexpr int kSoundReadyMs = 10000;
    static constexpr int kDrawReloadMs = 2000;
    static constexpr int kActionPauseMs = 200;
    static constexpr int kRetryMs = 1000;
    enum Tab { TextTab = 0, ListTab = 1 };

    explicit CSubPlanInfoDialog(CQuorstatApp& app, QWidget* parent = nullptr);

    // A reply of a list, upload, stop, delete or reset request; `flag` 1 after an upload.
    void OnPlanListReply(const std::string& reply, int flag);
    void ClearPlanListStamp();
    // The plan text as the edit holds it, lines ended by "\r\n".
    std::string PlanText() const;
    void RecomposePlanText();
    // A new login, or another lottery or play: an empty list, then its first page.
    void Reset();
    // New draw numbers: reload shortly, and the next settled plan may sound.
    void OnNewDraw();
    // The issue open for betting moved on: which plans can still be deleted changes.
    void OnIssueChanged();

    // Loads a page (the current one when `page` is 0); an incremental reload sends the stamp.
    // Another page size than the last one sent starts again at page 1.
    enum class Load { Full, Incremental };
    void LoadPage(int page = 0, Load kind = Load::Full);

    const quorstat::OwnPlanList& list() const { return list_; }
    CGridCtrl* grid() const { return grid_; }
    QTabWidget* tabs() const { return tabs_; }
    QPlainTextEdit* planTextEdit() const { return planText_; }
    QLabel* statisticsLabel() const { return statistics_; }
    QLabel* pagerLabel() const { return pagerLabel_; }
    QTimer* drawReloadTimer() const { return drawReloadTimer_; }
    QTimer* settlementTimer() const { return settlementTimer_; }
    QTimer* soundReadyTimer() const { return soundReadyTimer_; }

signals:
    void groupSendRequested(const QString& text, bool silent);
    // Plans for the data box's big-base box.
    void bigBaseTransferRequested(const std::vector<quorstat::BoxUser>& plans);

private:
    void buildControls();
    QWidget* buildListPage();
    QPushButton* addButton(const QString& text, const QString& name);
    void fill();
    void composeIfStale() const;
    void playSound(quorstat::PlanSound sound);
    void scheduleSettlementReload();
    int pageSize() const;

    void onLinkClicked(std::size_t record, int column);
    void showContextMenu(const QPoint& at);
    void requestDetail(std::size_t record, int use);
    void stopPlan(std::size_t record);
    void deletePlan(std::size_t record);
    void stopSelected();
    void deleteSelected();
    void sendPlanActions(int type, const std::vector<std::int32_t>& planIds);
    void sendNextAction();
    void transferToBigBase();
    void clearPlans();
    void copyPlanText();
    void groupSend();
    void exportList();
    void refresh();
    void turnPage(bool changed);
    bool confirm(const QString& question);

    CQuorstatApp& app_;
    quorstat::OwnPlanList list_;
    int requestedPage_ = 0;
    int requestedPageSize_ = 0;
    bool soundReady_ = false;
    bool soundArmed_ = false;
    mutable bool textStale_ = false;

    QTabWidget* tabs_ = nullptr;
    QPlainTextEdit* planText_ = nullptr;
    CGridCtrl* grid_ = nullptr;
    QLabel* statistics_ = nullptr;
    QLineEdit* pageEdit_ = nullptr;
    QLabel* pagerLabel_ = nullptr;
    QTimer* soundReadyTimer_ = nullptr;
    QTimer* drawReloadTimer_ = nullptr;
    QTimer* settlementTimer_ = nullptr;
    QTimer* retryTimer_ = nullptr;
    QTimer* actionTimer_ = nullptr;
    std::deque<quorstat::ServiceRequest> pendingActions_;
};
