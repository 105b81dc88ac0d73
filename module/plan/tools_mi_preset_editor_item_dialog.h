#pragma once

#include <QDialog>
#include <string>
#include <vector>

#include "plan/plan_form_data.h"

class QLineEdit;

// One preset of the preset editor: "新建预设数据" for a new one, "修改预设数据" for a row.
class CToolsMIPresetEditorItemDialog : public QDialog {
    Q_OBJECT
public:
    // `otherNames` are the names of the other rows, which this one may not take.
    CToolsMIPresetEditorItemDialog(const quorstat::PRESETDATA* row,
                                   std::vector<std::string> otherNames, QWidget* parent = nullptr);

    quorstat::PRESETDATA preset() const;

    void accept() override;

private:
    QLineEdit* name_ = nullptr;
    QLineEdit* issues_ = nullptr;
    QLineEdit* multiples_ = nullptr;
    std::vector<std::string> otherNames_;
};
