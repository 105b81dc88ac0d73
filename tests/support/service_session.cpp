#include "service_session.h"

#include <httplib.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "console/console_dialog.h"
#include "console/login_controller.h"
#include "console/tools_login_dialog.h"
#include "core/quorstat_api.h"
#include "core/quorstat_app.h"
#include "service/service_app.h"

QST_API void QST_Init(char*, char*);
QST_API std::intptr_t QST_Run(void*, const char*, const char*, int);
QST_API void QST_Exit();

namespace {

constexpr int kLoginTimeoutMs = 15000;

CToolsLoginDialog* loginDialog() {
    CConsoleDialog* console = CQuorstatApp::instance().console;
    return console ? console->loginController()->loginDialog() : nullptr;
}

}  // namespace

ServiceSession::ServiceSession(const char* clockStart) {
    quorstat::service::ServiceOptions options;
    options.port = 0;
    options.databasePath = dir_.filePath(QStringLiteral("service.db")).toStdString();
    options.clockStart = quorstat::service::parseDateTime(clockStart);
    options.clockSpeed = 0.0;
    options.seed = 11;
    service_ = std::make_unique<quorstat::service::ServiceApp>(options);
}

ServiceSession::~ServiceSession() {
    stop();
}

void ServiceSession::stop() {
    if (running_)
        QST_Exit();
    running_ = false;
    service_->stop();
}

bool ServiceSession::start(QWidget& host) {
    if (!service_->start())
        return false;
    qputenv("QUORSTAT_DATA_DIR", dir_.filePath(QStringLiteral("Data")).toUtf8());
    qputenv("QUORSTAT_SERVER", "127.0.0.1:" + QByteArray::number(service_->port()));
    char title[kQstTextBufferSize];
    char version[kQstTextBufferSize];
    QST_Init(title, version);
    running_ = QST_Run(&host, nullptr, nullptr, 0) != 0;
    return running_ && QTest::qWaitFor([] { return loginDialog() != nullptr; });
}

bool ServiceSession::logIn(const QString& userName, const QString& password) {
    CToolsLoginDialog* dialog = loginDialog();
    if (!dialog)
        return false;
    auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("edit3015"));
    auto* secret = dialog->findChild<QLineEdit*>(QStringLiteral("edit3013"));
    name->setText(userName);
    secret->setText(password);
    QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("button3016")),
                      Qt::LeftButton);
    return QTest::qWaitFor([] { return loginDialog() == nullptr; }, kLoginTimeoutMs) &&
           app().isLoggedIn();
}

bool ServiceSession::setClock(const char* time) {
    httplib::Client client("127.0.0.1", service_->port());
    const auto reply =
        client.Post("/control/clock", {{"Authorization", "Bearer " + service_->controlToken()}},
                    std::string("Set=") + time, "application/x-www-form-urlencoded");
    return reply && reply->body.starts_with("1|");
}

CQuorstatApp& ServiceSession::app() {
    return CQuorstatApp::instance();
}

CConsoleDialog& ServiceSession::console() {
    return *app().console;
}
