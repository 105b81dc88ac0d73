#pragma once

#include <QDialog>
#include <cstddef>
#include <filesystem>

#include "databox/grouping.h"

class HistoryEdit;
class QAbstractButton;
class QButtonGroup;
class QCheckBox;
class QComboBox;

namespace quorstat {
struct Settings;
}

// "自动分组": how to split `rowCount` rows into new groups. Starts from the grouping settings and
// stores them back on "确定".
class CToolsGroupingDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr const char* kToleranceHistoryKey = "PlanInterSectionGroupError";
    static constexpr const char* kNameHistoryKey = "PlanInterSectionGroupName";

    CToolsGroupingDialog(const std::filesystem::path& historyDir, quorstat::Settings& settings,
                         std::size_t rowCount, QWidget* parent = nullptr);

    // What was chosen, once accepted.
    const quorstat::GroupingOptions& options() const { return options_; }

    void accept() override;

private:
    void showSettings();
    void storeSettings() const;
    quorstat::GroupingOptions chosenOptions() const;
    void updateEnabled();

    quorstat::Settings& settings_;
    std::size_t rowCount_;
    quorstat::GroupingOptions options_;
    QAbstractButton* byCount_ = nullptr;
    QAbstractButton* bySize_ = nullptr;
    QComboBox* groupCount_ = nullptr;
    QComboBox* groupSize_ = nullptr;
    QButtonGroup* order_ = nullptr;
    QCheckBox* sameSize_ = nullptr;
    QCheckBox* toleranceOn_ = nullptr;
    HistoryEdit* tolerance_ = nullptr;
    HistoryEdit* name_ = nullptr;
};
