// fakechat TITLE LOGFILE: an X11 window of class "TXGuiFoundation" titled TITLE that appends each
// message sent into it to LOGFILE (UTF-8, one line feed after each message).
#include <QApplication>
#include <cstdio>

#include "fake_chat_window.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    // The window class is the application name; it must be set before the first window.
    QApplication::setApplicationName(QStringLiteral("TXGuiFoundation"));
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() != 3) {
        std::fprintf(stderr, "usage: fakechat TITLE LOGFILE\n");
        return 2;
    }
    FakeChatWindow window(arguments.at(1), arguments.at(2));
    window.show();
    return QApplication::exec();
}
