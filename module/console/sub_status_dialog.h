#pragma once

#include <QWidget>

class CQuorstatApp;
class QLabel;
class QMenu;
class QPushButton;
class QTimer;

// The band at the foot of the central window: who is logged in, online time and users, follow
// counts, the account, data-box and link buttons. Its timers refresh server time and counts.
class CSubStatusDialog : public QWidget {
    Q_OBJECT
public:
    enum TimerId {
        kServerTimeTimer = 3,
        kFollowCountTimer = 11,
    };

    explicit CSubStatusDialog(CQuorstatApp& app, QWidget* parent = nullptr);

    void OnLogin();
    void SetOnline();
    void SetFollowCounts(int follows, int fans);
    void StopRefresh();
    void RunStep(int timerId);
    // The data box belongs to the number plays only.
    void setDataBoxAvailable(bool available);

    QPushButton* accountButton() const { return account_; }
    QMenu* linkMenu() const { return linkMenu_; }
    QTimer* timer(int timerId) const;

signals:
    void accountMenuRequested();
    void windowFilterEditorRequested();
    void systemTemplateEditorRequested();
    void intervalEditorRequested();

private:
    void serverTimeStep();
    void followCountStep();
    void rebuildLinkMenu();
    void openManagerItem(bool ready, const QString& notReadyText, void (CSubStatusDialog::*open)());
    void toggleDataBox();

    CQuorstatApp& app_;
    QPushButton* account_ = nullptr;
    QLabel* onlineTime_ = nullptr;
    QLabel* onlineUsers_ = nullptr;
    QLabel* follows_ = nullptr;
    QPushButton* dataBox_ = nullptr;
    QPushButton* links_ = nullptr;
    QMenu* linkMenu_ = nullptr;
    QTimer* serverTimeTimer_ = nullptr;
    QTimer* followCountTimer_ = nullptr;
};
