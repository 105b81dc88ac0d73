#pragma once

#include <QDialog>

class QLabel;

// A small topmost window with one text that closes itself after a while.
class CToolsPromptDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int kDefaultCloseAfterMs = 800;

    explicit CToolsPromptDialog(const QString& text, int closeAfterMs = kDefaultCloseAfterMs,
                                QWidget* parent = nullptr);

    // A prompt that stands while work goes on can tell how far it got.
    void setText(const QString& text);

private:
    QLabel* text_;
};
