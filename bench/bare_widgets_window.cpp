// The yardstick for host start: a bare Qt Widgets program that shows one window.
#include <QApplication>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("bare"));
    window.resize(600, 350);
    window.show();
    return QApplication::exec();
}
