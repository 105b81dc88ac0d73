#pragma once

#include <QWidget>
#include <vector>

#include "databox/data_box.h"
#include "share/share_plan_view.h"
#include "share/shared_plan_list.h"

class CGridCtrl;
class CQuorstatApp;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class QTimer;

// The right-hand panel of the sharing page: the plans of one other user as text and as a list,
// his statistics line, following him, sounds for his new and ended plans, paging and a timer.
class CSubSharePlanDialog : public QWidget, public quorstat::SharePlanView {
    Q_OBJECT
public:
    static constexpr int kArmSoundsMs = 10000;
    static constexpr int kActivatedRefreshMs = 2000;
    static const QString kLoadingText;

    explicit CSubSharePlanDialog(CQuorstatApp& app, QWidget* parent = nullptr);

    void ShowUserPlans(const quorstat::tagUSERINFO& user) override;
    void SetFollowed(std::string_view userName, bool followed) override;
    void OnSharedPlanReply(const std::string& reply) override;
    void ShowTemplate(const std::optional<quorstat::tagTEMPLATEITEM>& item) override;
    void Reset() override;
    void Reload() override;
    void OnNewDraw() override;
    // The sharing page came up: arms the end sound and asks silently for the whole page.
    void OnActivated();

    const quorstat::SharedPlanList& list() const { return list_; }
    CGridCtrl* grid() const { return grid_; }
    QPlainTextEdit* planText() const { return text_; }
    QLabel* statistics() const { return statistics_; }
    QMenu* contextMenu() const { return menu_; }
    QTimer* refreshTimer() const { return refreshTimer_; }

signals:
    void followRequested(const quorstat::tagUSERINFO& user, bool follow);
    // Plans for the data box's big-base box, one entry per plan, no new group.
    void bigBaseTransferRequested(const std::vector<quorstat::BoxUser>& plans);

protected:
    void showEvent(QShowEvent* event) override;

private:
    enum class Ask { Silent, WithPrompt };
    void buildControls();
    QPushButton* addButton(const QString& text, const QString& name);
    void requestPlans(bool incremental, Ask ask);
    void requestDetail(quorstat::PlanDetailUse use, std::size_t record);
    void showNotSharing();
    void redraw();
    void composeText();
    void playSounds(const quorstat::SharedPlanEvents& events);
    void turnPage(bool changed);
    void onRefreshTimer();
    void onFollowClicked();
    void copyPlanText();
    void copySelectedNumbers();
    void exportGrid();
    void showMenu(const QPoint& at);
    void transferToBigBase();
    int pageSize() const;

    CQuorstatApp& app_;
    quorstat::SharedPlanList list_;
    std::optional<quorstat::tagTEMPLATEITEM> template_;

    QTabWidget* tabs_ = nullptr;
    QPlainTextEdit* text_ = nullptr;
    CGridCtrl* grid_ = nullptr;
    QLabel* statistics_ = nullptr;
    QPushButton* follow_ = nullptr;
    QLineEdit* pageEdit_ = nullptr;
    QLabel* pageLabel_ = nullptr;
    QMenu* menu_ = nullptr;
    QTimer* refreshTimer_ = nullptr;
    QTimer* armTimer_ = nullptr;
};
