#pragma once

#include <QString>
#include <QTemporaryDir>
#include <QWidget>
#include <memory>

class CConsoleDialog;
class CQuorstatApp;

namespace quorstat::service {
class ServiceApp;
}

// The stand-in service on a stopped virtual clock, and the module run in-process against it over
// real HTTP: what the end-to-end tests of every panel start from. Data of module and service
// live in a temporary directory. The host widget must outlive the session.
class ServiceSession {
public:
    // `clockStart` is the service's local time, "YYYY-MM-DD HH:MM:SS".
    explicit ServiceSession(const char* clockStart);
    ~ServiceSession();
    ServiceSession(const ServiceSession&) = delete;
    ServiceSession& operator=(const ServiceSession&) = delete;

    // Starts the service and runs the module in `host` up to its login dialog.
    bool start(QWidget& host);
    // Logs in through the login dialog and waits until the first draw has opened the window.
    bool logIn(const QString& userName = QStringLiteral("demo"),
               const QString& password = QStringLiteral("demo123"));
    // Ends the module and stops the service.
    void stop();
    // Sets the service clock, "YYYY-MM-DD HH:MM:SS"; every draw up to then has been made.
    bool setClock(const char* time);

    quorstat::service::ServiceApp& service() { return *service_; }
    CQuorstatApp& app();
    CConsoleDialog& console();
    QString dataPath(const QString& name) const { return dir_.filePath(name); }

private:
    QTemporaryDir dir_;
    std::unique_ptr<quorstat::service::ServiceApp> service_;
    bool running_ = false;
};
