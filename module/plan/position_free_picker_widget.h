#pragma once

#include <QWidget>
#include <array>
#include <string>
#include <string_view>

#include "plan/position_free_picker.h"

class DigitBallButton;

// The one-row digit picker of the position-free 胆 plays, with its quick selections.
class PositionFreePickerWidget : public QWidget {
    Q_OBJECT
public:
    explicit PositionFreePickerWidget(QWidget* parent = nullptr);

    void restore(std::string_view selection);
    std::string selectionString() const { return picker_.selectionString(); }
    int betCount() const { return picker_.betCount(); }

signals:
    void changed();

private:
    void showPicker();

    quorstat::PositionFreePicker picker_;
    std::array<DigitBallButton*, 10> balls_{};
};
