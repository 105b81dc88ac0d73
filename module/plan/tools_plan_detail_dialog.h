#pragma once

#include <QDialog>

#include "net/plan_record.h"

class QPlainTextEdit;

// "方案详情": one plan of a detail reply, line by line, with its numbers to copy.
class CToolsPlanDetailDialog : public QDialog {
    Q_OBJECT
public:
    explicit CToolsPlanDetailDialog(const quorstat::tagPLANITEM& plan, QWidget* parent = nullptr);

    QStringList lines() const;
    QString numbers() const;

private:
    void copyNumbers();

    QPlainTextEdit* numbers_ = nullptr;
};
