#pragma once

#include <QDialog>

class QCheckBox;
class QRadioButton;

// Asks what closing the window means: hide to the tray or exit, and whether to ask again.
class CToolsExitPromptDialog : public QDialog {
    Q_OBJECT
public:
    CToolsExitPromptDialog(bool closeToTray, bool exitPrompt, QWidget* parent = nullptr);

    bool closeToTray() const;
    bool askAgain() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QRadioButton* toTray_;
    QRadioButton* exit_;
    QCheckBox* dontAsk_;
    QPixmap image_;
};
