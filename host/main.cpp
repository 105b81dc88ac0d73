#include <QApplication>

#include "quorlan_app.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    // Lets the desktop match the windows to the installed launcher and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("quorstat"));
    Q_INIT_RESOURCE(host);
    return CQuorlanApp().run();
}
