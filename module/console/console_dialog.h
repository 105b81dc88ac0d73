#pragma once

#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>

#include "net/request_handler.h"

class CGroupSender;
class CLoginController;
class CSubControlDialog;
class CSubStatusDialog;
class CToolsPromptDialog;
class CQuorstatApp;
class QComboBox;
class QDialog;
class QMenu;
class QPushButton;
class QTabWidget;

namespace quorstat {
class DataBoxView;
class PlanPanelView;
class RankingView;
class SharePanelView;
}  // namespace quorstat

// The module's central window, a child filling the host window. It owns every panel, hands each
// finished request to the panel it concerns, and runs the log-in sequence and the selection of
// lottery, play, template and tab.
class CConsoleDialog : public QWidget, public quorstat::RequestHandler {
    Q_OBJECT
public:
    static constexpr int kTemplateRetryMs = 1000;
    static constexpr int kRetryMs = 1000;

    explicit CConsoleDialog(QWidget* host);
    ~CConsoleDialog() override;

    // Shows the window and starts the login: the login dialog, or the direct login with the
    // host's arguments.
    void start();

    void OnRequestDone(quorstat::ServiceRequest& request) override;
    quorstat::RequestProgressView* loginProgressView() override;

    void SelectLottery(int lotteryId);
    void SelectPlay(int playId);
    void SelectTab(int index);
    void OpenRanking(int listId);
    void StopRefresh();
    // The status panel's account menu (switch account, log out).
    void showAccountMenu();
    // The modeless prompt while a plan goes up; the upload's reply closes it.
    void beginUpload(const QString& text);
    // "系统设置": the settings dialog; what it accepted is saved and shown at once.
    void openSettings();
    // Posts a plan text as a group send (WM_GROUP_SEND); `silent` after an upload: nothing is
    // said when it cannot go.
    void postGroupSend(const QString& text, bool silent);

    // The window is hidden until the login, so its controls and pages are built once the login
    // dialog is up, which then shows without waiting for them, or at the first reply, whichever
    // comes first. Panels built elsewhere, by `build`, take their place in the pages; until then
    // the pages stay empty and the replies meant for them are dropped.
    void buildPagesLater(std::function<void()> build);
    // Builds the controls and pages at once if they are still to come.
    void buildPages();
    void attachPlanPanel(QWidget* page, quorstat::PlanPanelView* view);
    void attachSharePanel(QWidget* page, quorstat::SharePanelView* view);
    void attachDataBox(QWidget* window, quorstat::DataBoxView* view);
    // Makes the ranking window for a list (1501..1506); the dialog must also be a RankingView.
    using RankingDialogFactory =
        std::function<std::unique_ptr<QDialog>(int listId, QWidget* parent)>;
    void setRankingDialogFactory(RankingDialogFactory factory);

    CLoginController* loginController() const { return login_; }
    CSubControlDialog* controlPanel() const { return controlPanel_; }
    CSubStatusDialog* statusPanel() const { return statusPanel_; }
    QComboBox* templatePicker() const { return templatePicker_; }
    CGroupSender* groupSender() const { return groupSender_; }

signals:
    void customSendRequested();
    void sendSettingsRequested();
    void templateManagerRequested();

protected:
    bool event(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildLogin();
    void buildControls();
    void layoutControls();
    void startUp();
    void showLotteryMenu();
    void showPlayMenu();
    void showRankingMenu();
    void popupBelow(QMenu* menu, QPushButton* button);
    // The button texts and rules of a lottery or play, without the consequences of a change.
    void showLottery(int lotteryId);
    void showPlay(int playId);
    void LotteryChanged();
    void PlayChanged();
    void refreshSelectionViews();
    void LoginSucceeded();
    void onTemplatePicked(int index);
    void refillTemplatePicker();
    void retryLater(void (CConsoleDialog::*request)());
    void replacePage(QWidget*& slot, QWidget* page, const QString& title);
    void endUpload();
    void applySettings(int previousUserPageSize);

    // Replies, one handler per kind.
    void onServerTime(const quorstat::ServiceRequest& request);
    void onDrawTimes(const quorstat::ServiceRequest& request);
    void onDrawNumbers(const quorstat::ServiceRequest& request);
    void applyDrawNumbers(const std::string& reply);
    void announceDraw();
    void closeLoginAfterFirstDraw();
    void onDrawHistory(const quorstat::ServiceRequest& request);
    void onPlanUploaded(const quorstat::ServiceRequest& request);
    void onPlanList(const quorstat::ServiceRequest& request);
    void onSharedPlans(const quorstat::ServiceRequest& request);
    void onUserList(const quorstat::ServiceRequest& request);
    void onPlanReset(const quorstat::ServiceRequest& request);
    void onPlanDetail(const quorstat::ServiceRequest& request);
    void onShareRead(const quorstat::ServiceRequest& request);
    void onShareSet(const quorstat::ServiceRequest& request);
    void onFollowCounts(const quorstat::ServiceRequest& request);
    void onTemplateList(const quorstat::ServiceRequest& request);
    void onTemplateDetail(const quorstat::ServiceRequest& request);
    void onRanking(const quorstat::ServiceRequest& request);
    void onDataBoxReply(const quorstat::ServiceRequest& request);
    void onUserInfoId(const quorstat::ServiceRequest& request);
    void onWindowFilter(const quorstat::ServiceRequest& request);
    void onIntervals(const quorstat::ServiceRequest& request);
    void onSettingWritten(const quorstat::ServiceRequest& request,
                          void (CConsoleDialog::*reread)());
    bool isCurrentSelection(const quorstat::ServiceRequest& request) const;

    // Requests the console asks for itself.
    void requestShareRead();
    void requestShareSet();
    void requestHistory();
    void requestTemplateList();
    void requestFollowCounts();
    void requestWindowFilter();
    void requestIntervals();
    void requestUserInfoId();

    CQuorstatApp& app_;
    CLoginController* login_ = nullptr;
    CGroupSender* groupSender_ = nullptr;
    CSubControlDialog* controlPanel_ = nullptr;
    CSubStatusDialog* statusPanel_ = nullptr;
    QWidget* planPage_ = nullptr;
    QWidget* sharePage_ = nullptr;
    quorstat::PlanPanelView* planView_ = nullptr;
    quorstat::SharePanelView* shareView_ = nullptr;
    quorstat::DataBoxView* dataBoxView_ = nullptr;
    void buildPagesAfterLoginShows();

    std::function<void()> pageBuilder_;
    RankingDialogFactory rankingFactory_;
    QPointer<QDialog> rankingDialog_;
    quorstat::RankingView* rankingView_ = nullptr;
    QPointer<CToolsPromptDialog> uploadPrompt_;
    bool presented_ = false;
    bool sessionEnded_ = false;

    QPushButton* lotteryButton_ = nullptr;
    QPushButton* playButton_ = nullptr;
    QPushButton* rankingButton_ = nullptr;
    QComboBox* templatePicker_ = nullptr;
    QPushButton* customSendButton_ = nullptr;
    QPushButton* sendSettingsButton_ = nullptr;
    QPushButton* templateManagerButton_ = nullptr;
    QPushButton* settingsButton_ = nullptr;
    QTabWidget* tabs_ = nullptr;
    QMenu* lotteryMenu_ = nullptr;
    QMenu* playMenu_ = nullptr;
    QMenu* rankingMenu_ = nullptr;
};
