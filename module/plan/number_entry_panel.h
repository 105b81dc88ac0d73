#pragma once

#include <QWidget>
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "plan/bet_numbers.h"
#include "plan/plan_form_data.h"

class BetNumbersField;
class CQuorstatApp;
class PositionalPickerWidget;
class PositionFreePickerWidget;
class QCheckBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QStackedWidget;

// The number entry of the plan form: the position boxes, the numbers field or the digit picker
// of the play, the live bet count, the "分享" box and "提交".
class NumberEntryPanel : public QWidget {
    Q_OBJECT
public:
    explicit NumberEntryPanel(CQuorstatApp& app, QWidget* parent = nullptr);

    // Lays the panel out for the current play and shows the record's positions, numbers and
    // paste options.
    void showRecord(const quorstat::tagCONFIG_MYPLANDATA& record);
    // Copies the positions and paste options into the record.
    void readBack(quorstat::tagCONFIG_MYPLANDATA& record) const;

    // Numbers the program wrote, for example normalised ones.
    void showNumbers(const std::string& numbers);
    // Numbers handed over from elsewhere: normalised for the current play, then shown.
    void takeNumbers(std::string_view text);
    void clearNumbers();

    std::vector<std::string> checkedPositions() const;
    // "按位置分开投注" is shown and checked.
    bool betByLocation() const;
    void setShared(bool shared);
    // The open issue moved on: the count line names it.
    void refreshCount();
    // A paste is being normalised or a long text is going into the field.
    bool busy() const;
    BetNumbersField* numbersField() const { return field_; }

signals:
    // The numbers text or the picker's selection changed.
    void betNumbersChanged(const std::string& betNumbers);
    void submitRequested();
    void busyChanged(bool busy);

private:
    QWidget* buildPositions();
    QWidget* buildFooter();
    void showPositions(const quorstat::tagCONFIG_MYPLANDATA& record);
    void positionClicked(QCheckBox* box);
    void positionModeChosen(bool single);
    void betByLocationToggled(bool checked);
    void shareClicked(bool checked);
    void recount();
    void showCount(int count);
    void showProgress(int percent);

    CQuorstatApp& app_;
    quorstat::BetCounters counters_;
    int count_ = 0;

    QWidget* positions_ = nullptr;
    QRadioButton* singlePosition_ = nullptr;
    QRadioButton* multiplePositions_ = nullptr;
    QCheckBox* betByLocation_ = nullptr;
    std::array<QCheckBox*, 10> positionBoxes_{};

    QStackedWidget* entries_ = nullptr;
    BetNumbersField* field_ = nullptr;
    PositionFreePickerWidget* freePicker_ = nullptr;
    PositionalPickerWidget* positionalPicker_ = nullptr;

    QLabel* countLabel_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QCheckBox* share_ = nullptr;
    QPushButton* submit_ = nullptr;
};
