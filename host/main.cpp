#include <QApplication>

#include "quorlan_app.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    Q_INIT_RESOURCE(host);
    return CQuorlanApp().run();
}
