// The yardsticks for host start: a bare Qt Widgets hello-world, built once as it is and once
// linked with every library host and module load.
#include <QApplication>
#include <QLabel>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QLabel window(QStringLiteral("Hello, world"));
    window.setWindowTitle(QStringLiteral(WINDOW_TITLE));
    window.resize(600, 350);
    window.show();
    return QApplication::exec();
}
