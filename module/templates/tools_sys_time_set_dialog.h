#pragma once

#include <QDialog>
#include <array>

class CQuorstatApp;
class QComboBox;

// "系统时间间隔设置" (manager right): the refresh intervals of every client. OK sends them to the
// service, whose reply brings them back.
class CToolsSysTimeSetDialog : public QDialog {
    Q_OBJECT
public:
    explicit CToolsSysTimeSetDialog(CQuorstatApp& app, QWidget* parent = nullptr);

    void accept() override;

private:
    CQuorstatApp& app_;
    std::array<QComboBox*, 7> choices_{};
};
