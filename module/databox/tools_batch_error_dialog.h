#pragma once

#include <QDialog>
#include <filesystem>
#include <string>

class HistoryEdit;
class QCheckBox;

// "批量容错": one tolerance for many groups at once.
class CToolsBatchErrorDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr const char* kHistoryKey = "DataBox_BatchError_Error";

    explicit CToolsBatchErrorDialog(const std::filesystem::path& historyDir,
                                    QWidget* parent = nullptr);

    // What was chosen, once accepted.
    bool toleranceOn() const { return on_; }
    const std::string& toleranceText() const { return text_; }

    void accept() override;

private:
    QCheckBox* enabled_ = nullptr;
    HistoryEdit* tolerance_ = nullptr;
    bool on_ = false;
    std::string text_;
};
