#pragma once

#include <QString>
#include <QWidget>

class QLabel;
class QPlainTextEdit;

// A chat window as the group send sees one: Ctrl+V takes the clipboard into the input line,
// Return or Ctrl+Return sends the input, which is appended to the log file in UTF-8 followed by
// one line feed. An empty input sends nothing.
class FakeChatWindow : public QWidget {
    Q_OBJECT
public:
    FakeChatWindow(const QString& title, const QString& logFile);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void send();
    void showInput();

    QString logFile_;
    QString input_;
    QPlainTextEdit* history_ = nullptr;
    QLabel* inputView_ = nullptr;
};
