#pragma once

#include <QDialog>

// The operating instructions of the send settings, one page per way of sending.
class CToolsQQSettingManualDialog : public QDialog {
    Q_OBJECT
public:
    explicit CToolsQQSettingManualDialog(bool shortcutMode, QWidget* parent = nullptr);
};
