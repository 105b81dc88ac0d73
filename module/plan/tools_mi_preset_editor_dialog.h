#pragma once

#include <QDialog>
#include <vector>

#include "plan/plan_form_data.h"

class QPushButton;
class QTableWidget;

// "预设编辑器": edits a copy of the presets of one lottery and play; the caller takes presets()
// when it was accepted.
class CToolsMIPresetEditorDialog : public QDialog {
    Q_OBJECT
public:
    explicit CToolsMIPresetEditorDialog(std::vector<quorstat::PRESETDATA> presets,
                                        QWidget* parent = nullptr);

    // The rows as the record keeps them: names, issue counts and multiples, no text.
    std::vector<quorstat::PRESETDATA> presets() const;
    QTableWidget* list() const { return list_; }

private:
    void refill();
    void addPreset();
    void modifyPreset();
    void removeSelected();
    void clearAll();
    void importFile();
    void exportFile();
    std::vector<std::string> namesExcept(int row) const;

    std::vector<quorstat::PRESETDATA> rows_;
    QTableWidget* list_ = nullptr;
    QPushButton* export_ = nullptr;
};
