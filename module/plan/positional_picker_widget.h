#pragma once

#include <QWidget>
#include <array>
#include <string>
#include <string_view>

#include "plan/positional_picker.h"

class DigitBallButton;

// The five-row digit picker of 定位胆: one row of digits per position 万..个.
class PositionalPickerWidget : public QWidget {
    Q_OBJECT
public:
    explicit PositionalPickerWidget(QWidget* parent = nullptr);

    void restore(std::string_view selection);
    std::string selectionString() const { return picker_.selectionString(); }
    int betCount() const { return picker_.betCount(); }

signals:
    void changed();

private:
    void showPicker();
    // Runs a change of the whole picker and shows it.
    void change(void (quorstat::PositionalPicker::*step)());

    quorstat::PositionalPicker picker_;
    std::array<std::array<DigitBallButton*, 10>, quorstat::PositionalPicker::kRowCount> balls_{};
};
