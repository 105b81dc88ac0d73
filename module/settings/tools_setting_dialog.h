#pragma once

#include <QDialog>
#include <map>
#include <string>
#include <vector>

#include "settings/settings_form.h"

class CQuorstatApp;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;

// "系统设置": tray, draw notices, the own and shared plan lists and the plan-text look. It edits
// the live settings, which change only when "确定" accepts the whole form.
class CToolsSettingDialog : public QDialog {
    Q_OBJECT
public:
    explicit CToolsSettingDialog(CQuorstatApp& app, QWidget* parent = nullptr);

    // What the controls hold now, with the working font and colours.
    quorstat::SettingsForm form() const;
    void accept() override;

private:
    void buildControls();
    QGroupBox* buildTrayGroup();
    QGroupBox* buildDrawGroup();
    QGroupBox* buildOwnPlanGroup();
    QGroupBox* buildSharedPlanGroup();
    QGroupBox* buildPlanTextGroup();
    void orderTabs();
    QCheckBox* check(int id) const { return checks_.at(id); }
    QLineEdit* number(int id) const { return numbers_.at(id); }
    QComboBox* sound(int id) const { return sounds_.at(id); }

    void setForm(const quorstat::SettingsForm& form);
    void applyEnableRules();
    std::string soundChosenIn(const QComboBox* combo) const;
    void preview(int comboId, int builtInSound);
    void chooseFont();
    void chooseColour(unsigned& colour);
    void updateSample();

    CQuorstatApp& app_;
    std::vector<std::string> soundFiles_;
    quorstat::Settings::LogFont font_;
    unsigned fore_ = 0;
    unsigned back_ = 0;

    std::map<int, QCheckBox*> checks_;
    std::map<int, QLineEdit*> numbers_;
    std::map<int, QComboBox*> sounds_;
    QRadioButton* spokenDigits_ = nullptr;
    QRadioButton* chime_ = nullptr;
    QLabel* sample_ = nullptr;
};
