#pragma once

#include <QWidget>

#include "databox/result_area.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;

// The result side of a box: "结果区" with the computed numbers and "暂存区" where results are
// parked, the count label and the buttons under them.
class CBoxResultSide : public QWidget {
    Q_OBJECT
public:
    explicit CBoxResultSide(QWidget* parent = nullptr);

    quorstat::ResultArea& area() { return area_; }
    void setPlay(const quorstat::PlayState& play) { play_ = play; }
    void showResult(quorstat::BoxResult result);
    // "查看": an item's numbers in the result area.
    void view(const quorstat::tagPLANBIGPDATA& item);
    QPlainTextEdit* resultText() const { return result_; }
    QPlainTextEdit* stagingText() const { return staging_; }
    QLabel* countLabel() const { return count_; }

signals:
    // "提交" with a non-empty result.
    void submitRequested(const QString& numbers);
    // "转大底盒": the box turns the staging area's blocks into items.
    void toBoxRequested();

private:
    void refresh();
    void complement();
    void copy();
    void submit();
    void toStaging();
    void clearStaging();

    quorstat::ResultArea area_;
    quorstat::PlayState play_;
    QLabel* count_ = nullptr;
    QTabWidget* tabs_ = nullptr;
    QPlainTextEdit* result_ = nullptr;
    QPlainTextEdit* staging_ = nullptr;
    QWidget* buttons_ = nullptr;
};
