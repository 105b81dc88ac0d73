#include "console/console_dialog.h"

#include <QGuiApplication>
#include <QScreen>

#include "core/quorstat_app.h"

namespace {

constexpr QSize kHostSize{1024, 768};

// The host leaves its size to the module: centre it at the size the console is laid out for.
void presentHost(QWidget* host) {
    QRect frame(QPoint(0, 0), kHostSize);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        frame.moveCenter(screen->availableGeometry().center());
    host->setGeometry(frame);
    host->show();
}

}  // namespace

CConsoleDialog::CConsoleDialog(QWidget* host) : QWidget(host) {
    setObjectName(QStringLiteral("consoleDialog"));
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, CQuorstatApp::instance().dialogBackground);
    colours.setColor(QPalette::WindowText, CQuorstatApp::instance().textColor);
    setPalette(colours);
    presentHost(host);
}

void CConsoleDialog::showAccountMenu() {
    // Nothing to offer until the login and status panel exist: no one can be logged in yet.
}
