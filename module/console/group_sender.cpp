#include "console/group_sender.h"

#include <QCoreApplication>
#include <QTimer>
#include <QWidget>

#include "console/group_send_event.h"
#include "core/quorstat_app.h"
#include "templates/tools_qq_setting_sub_dialog.h"
#include "ui/prompter.h"
#include "ui/qt_text.h"

CGroupSender::CGroupSender(CQuorstatApp& app, QWidget* console)
    : QObject(console),
      app_(app),
      console_(console),
      job_(quorstat::DesktopAutomation::instance()),
      timer_(new QTimer(this)) {
    timer_->setObjectName(QStringLiteral("timer%1").arg(kSendTimerId));
    timer_->setSingleShot(true);
    connect(timer_, &QTimer::timeout, this, &CGroupSender::step);
}

CGroupSender::~CGroupSender() = default;

void CGroupSender::start(const GroupSendEvent& event) {
    const std::string text = event.text.toStdString();
    apply(event.custom ? job_.startCustomSend(text, app_)
                       : job_.startPlanSend(text, event.silent, app_));
}

void CGroupSender::step() {
    apply(job_.step());
}

// The job has moved on before anything is shown, so a step that comes due while a prompt is up
// finds it consistent.
void CGroupSender::apply(const quorstat::GroupSendUpdate& update) {
    if (update.askMerged) {
        const bool cancel =
            Prompter::instance().message(console_, toQString(quorstat::kMergedWindowQuestion),
                                         Prompter::defaultCaption(), Prompter::Icon::Information,
                                         QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
        apply(job_.answerMerged(cancel));
        return;
    }
    if (update.wakeInMs)
        timer_->start(*update.wakeInMs);
    if (!update.message.empty())
        Prompter::instance().message(console_, toQString(update.message));
    if (!update.prompt.empty())
        Prompter::instance().prompt(console_, toQString(update.prompt), update.promptMs);
    if (update.completed)
        closeRequesterAfterSend();
}

void CGroupSender::closeRequesterAfterSend() {
    const std::string& close = app_.customSendConfig.closeAfterSend;
    if (sendRequester_ && !close.empty() && close[0] == '1')
        sendRequester_->closeAfterSend();
}

void CGroupSender::openCustomSend() {
    if (job_.running()) {
        Prompter::instance().prompt(console_, QStringLiteral("正确QQ群发中，请稍后再试..."));
        return;
    }
    CToolsQQSettingSubDialog dialog(CToolsQQSettingSubDialog::Mode::Custom, app_.customSendConfig,
                                    console_);
    connect(&dialog, &CToolsQQSettingSubDialog::sendRequested, this,
            &CGroupSender::customSendRequested);
    sendRequester_ = &dialog;
    if (Prompter::instance().exec(dialog) == QDialog::Accepted) {
        app_.customSendConfig = dialog.settings();
        app_.SaveSendConfigs();
    }
    sendRequester_.clear();
}

void CGroupSender::customSendRequested(const QString& text) {
    if (!sendRequester_)
        return;
    app_.customSendConfig = sendRequester_->settings();
    app_.SaveSendConfigs();
    QCoreApplication::postEvent(console_, GroupSendEvent::customSend(text));
}

void CGroupSender::openSendSettings() {
    CToolsQQSettingSubDialog dialog(CToolsQQSettingSubDialog::Mode::General, app_.generalSendConfig,
                                    console_);
    if (Prompter::instance().exec(dialog) != QDialog::Accepted)
        return;
    app_.generalSendConfig = dialog.settings();
    app_.SaveSendConfigs();
}
