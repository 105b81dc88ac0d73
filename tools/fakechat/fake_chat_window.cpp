#include "fake_chat_window.h"

#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTime>
#include <QVBoxLayout>
#include <cstdio>

FakeChatWindow::FakeChatWindow(const QString& title, const QString& logFile) : logFile_(logFile) {
    setWindowTitle(title);
    setFocusPolicy(Qt::StrongFocus);
    history_ = new QPlainTextEdit(this);
    history_->setReadOnly(true);
    history_->setFocusPolicy(Qt::NoFocus);
    inputView_ = new QLabel(this);
    inputView_->setWordWrap(true);
    inputView_->setMinimumHeight(48);
    inputView_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    inputView_->setStyleSheet(QStringLiteral("background: white; border: 1px solid #9ab;"));
    // The title again inside the window: not every window manager draws Chinese titles.
    auto* name = new QLabel(title, this);
    name->setStyleSheet(QStringLiteral("font-weight: bold; font-size: 15px;"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(name);
    layout->addWidget(history_, 1);
    layout->addWidget(new QLabel(QStringLiteral("输入（Ctrl+V 粘贴，回车发送）"), this));
    layout->addWidget(inputView_);
    resize(360, 280);
}

void FakeChatWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_V && (event->modifiers() & Qt::ControlModifier)) {
        input_ += QGuiApplication::clipboard()->text(QClipboard::Clipboard);
        showInput();
    } else if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        send();
    } else if (!event->text().isEmpty() && event->text().at(0).isPrint()) {
        input_ += event->text();
        showInput();
    } else {
        QWidget::keyPressEvent(event);
    }
}

void FakeChatWindow::send() {
    if (input_.isEmpty())
        return;
    QFile log(logFile_);
    if (!log.open(QIODevice::WriteOnly | QIODevice::Append) ||
        log.write(input_.toUtf8() + '\n') < 0)
        std::fprintf(stderr, "fakechat: cannot write %s\n", qPrintable(logFile_));
    history_->appendPlainText(QTime::currentTime().toString(QStringLiteral("HH:mm:ss")) +
                              QStringLiteral("  我：\n") + input_);
    input_.clear();
    showInput();
}

void FakeChatWindow::showInput() {
    inputView_->setText(input_);
}
