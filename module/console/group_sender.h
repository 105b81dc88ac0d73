#pragma once

#include <QObject>
#include <QPointer>

#include "console/group_send_job.h"

class CQuorstatApp;
class CToolsQQSettingSubDialog;
class GroupSendEvent;
class QTimer;
class QWidget;

// The central window's group send: runs the job from timer 14, shows its prompts and questions,
// and opens the send settings ("群发设置") and the custom send ("自定义群发").
class CGroupSender : public QObject {
    Q_OBJECT
public:
    static constexpr int kSendTimerId = 14;

    CGroupSender(CQuorstatApp& app, QWidget* console);
    ~CGroupSender() override;

    void start(const GroupSendEvent& event);
    bool running() const { return job_.running(); }
    QTimer* timer() const { return timer_; }

    void openCustomSend();
    void openSendSettings();

private:
    void apply(const quorstat::GroupSendUpdate& update);
    void step();
    void customSendRequested(const QString& text);
    void closeRequesterAfterSend();

    CQuorstatApp& app_;
    QWidget* console_;
    quorstat::GroupSendJob job_;
    QTimer* timer_;
    QPointer<CToolsQQSettingSubDialog> sendRequester_;
};
