#pragma once

#include <QWidget>
#include <vector>

#include "console/data_box_view.h"
#include "databox/box_clipboard.h"
#include "databox/data_box.h"

class CQuorstatApp;
class CToolsDataBoxSubDialog;
class QCheckBox;
class QTabWidget;

// The data box window: the big-base box and the plan box on two tabs, and the window's own
// settings. The console reaches it through DataBoxView; the user list, the shared plans and the
// own plans send users and plans in through ReceiveUsers.
class CToolsDataBoxDialog : public QWidget, public quorstat::DataBoxView {
    Q_OBJECT
public:
    static constexpr QSize kDefaultSize{1000, 600};

    explicit CToolsDataBoxDialog(CQuorstatApp& app, QWidget* parent = nullptr);

    CToolsDataBoxSubDialog* box(quorstat::BoxKind kind) const;
    QTabWidget* tabs() const { return tabs_; }

    void ReceiveUsers(const std::vector<quorstat::BoxUser>& users, quorstat::BoxKind kind,
                      bool newGroup);
    void SwitchLotteryPlay();

    void OnPlanContentReply(int type, const std::string& reply) override;
    void OnPlanStatusReply(int type, const std::string& reply) override;
    void AddToBigBase(const quorstat::tagPLANITEM& plan) override;
    void KnownPlanFailed() override;
    void ClearBoxes() override;
    void OnNewDraw() override;

signals:
    // "提交": the numbers go to the plan form; hiding the window and turning to the own plans
    // follow the settings.
    void submitted(const QString& numbers);

protected:
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void placeWindow();
    void storeGeometry();
    QCheckBox* addSetting(const QString& text, bool& setting, const char* name);
    void submit(const QString& numbers);

    CQuorstatApp& app_;
    quorstat::BoxClipboard clipboard_;
    QTabWidget* tabs_ = nullptr;
    CToolsDataBoxSubDialog* bigBase_ = nullptr;
    CToolsDataBoxSubDialog* plan_ = nullptr;
    bool placed_ = false;
};
