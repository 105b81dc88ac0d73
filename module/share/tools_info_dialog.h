#pragma once

#include <QDialog>

// "排行规则": how the service scores the rankings, as a fixed text with one button "关闭".
class CToolsInfoDialog : public QDialog {
    Q_OBJECT
public:
    explicit CToolsInfoDialog(QWidget* parent = nullptr);

    static QString rulesText();
};
