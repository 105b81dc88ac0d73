#pragma once

#include <QDialog>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

class HistoryEdit;

// "修改倍数": asks for the multiples of `targetCount` rows of the calculator table.
class CToolsMfyMulDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr const char* kHistoryKey = "MfyMulDialogMul";

    // One target row shows its multiple; otherwise the field starts with the newest entry.
    CToolsMfyMulDialog(const std::filesystem::path& historyDir, std::size_t targetCount,
                       std::optional<std::int64_t> shownMultiple, QWidget* parent = nullptr);

    // One value per target row, once accepted.
    const std::vector<std::uint32_t>& multiples() const { return multiples_; }
    HistoryEdit* input() const { return input_; }

    void accept() override;

private:
    HistoryEdit* input_ = nullptr;
    std::size_t targetCount_;
    std::vector<std::uint32_t> multiples_;
};
