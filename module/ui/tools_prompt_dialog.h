#pragma once

#include <QDialog>

// A small topmost window with one text that closes itself after a while.
class CToolsPromptDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int kDefaultCloseAfterMs = 800;

    explicit CToolsPromptDialog(const QString& text, int closeAfterMs = kDefaultCloseAfterMs,
                                QWidget* parent = nullptr);
};
