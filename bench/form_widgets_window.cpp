// A yardstick for host start: a plain login form in a fresh Qt Widgets program, two line edits,
// two check boxes, a button and a status line in Chinese, without a style sheet. Qt's first line
// edit and first buttons cost far more than a label.
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QDialog window;
    window.setWindowTitle(QStringLiteral("form"));
    window.resize(600, 350);
    auto* userName = new QLineEdit(&window);
    userName->setPlaceholderText(QStringLiteral("用户名"));
    userName->setGeometry(320, 92, 230, 32);
    auto* password = new QLineEdit(&window);
    password->setPlaceholderText(QStringLiteral("密码"));
    password->setEchoMode(QLineEdit::Password);
    password->setGeometry(320, 134, 230, 32);
    (new QCheckBox(QStringLiteral("记住密码"), &window))->setGeometry(320, 176, 100, 24);
    (new QCheckBox(QStringLiteral("自动登录"), &window))->setGeometry(450, 176, 100, 24);
    (new QPushButton(QStringLiteral("登录"), &window))->setGeometry(320, 210, 230, 38);
    (new QLabel(QStringLiteral("请输入用户名和密码登录"), &window))->setGeometry(40, 310, 520, 24);
    window.show();
    return QApplication::exec();
}
