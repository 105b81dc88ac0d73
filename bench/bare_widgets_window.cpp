// The yardsticks for host start: a bare Qt Widgets hello-world, built as it is, linked with every
// library host and module load, and greeting in Chinese (its first Chinese text makes Qt find and
// load a CJK font, as the login dialog must).
#include <QApplication>
#include <QLabel>

#ifndef WINDOW_TEXT
#define WINDOW_TEXT "Hello, world"
#endif

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QLabel window(QString::fromUtf8(WINDOW_TEXT));
    window.setWindowTitle(QStringLiteral(WINDOW_TITLE));
    window.resize(600, 350);
    window.show();
    return QApplication::exec();
}
