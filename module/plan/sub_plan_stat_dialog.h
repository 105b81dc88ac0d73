#pragma once

#include <QWidget>
#include <array>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "plan/calculator.h"
#include "plan/plan_form_fields.h"
#include "plan/plan_form_store.h"
#include "plan/plan_submission.h"

class CalculatorTableModel;
class CQuorstatApp;
class NumberEntryPanel;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSplitter;
class QTableView;

// The plan form of the "我的方案" page: the number entry with the upload, and the multiple
// calculator with its settings, presets and table. Its state is the form record of the current
// lottery and play, kept in "MyPlanDataConfig.dat".
class CSubPlanStatDialog : public QWidget {
    Q_OBJECT
public:
    explicit CSubPlanStatDialog(CQuorstatApp& app, QWidget* parent = nullptr);
    // Reads the form back and writes the file.
    ~CSubPlanStatDialog() override;

    // Lottery or play changed: the state shown so far is kept, the new pair's is shown.
    void OnSelectionChanged();
    // The issue open for betting moved on: the table's issues follow it.
    void OnIssueChanged();

    // "计算".
    void Calculate();
    // "提交": checks the plan, asks what has to be asked and sends it.
    void Submit();
    // The service took the plan.
    void OnUploadAccepted();
    // Numbers handed to the form from elsewhere; normalised for the current play.
    void SetBetNumbers(std::string_view text);
    void ShowShareFlag(bool shared);
    // Copies the fields into the current record, without a message, and writes the file when
    // anything changed.
    void SaveState();

    NumberEntryPanel* numberEntry() const { return entry_; }
    const std::vector<quorstat::MultipleRow>& rows() const;
    quorstat::tagCONFIG_MYPLANDATA& record();
    quorstat::PlanFormFields fields() const;
    QTableView* table() const { return table_; }
    // Puts a panel below the table, sharing the right column with it.
    void placeBelowTable(QWidget* panel);
    // The table's context menu for the rows selected now, as the right mouse button shows it.
    void showTableMenu(const QPoint& globalPos);

private:
    // A text field of the calculator and the form value it holds.
    using TextField = std::pair<QLineEdit*, std::string quorstat::PlanFormFields::*>;
    std::array<TextField, 13> textFields() const;

    void buildControls();
    QWidget* buildSettings();
    void setFields(const quorstat::PlanFormFields& fields);
    void showRecord();
    void showRows(std::vector<quorstat::MultipleRow> rows);
    void recalculate(quorstat::CalculationStart start);
    void updateEnabled();
    void agreedToShare();

    void unitCostLeft();
    // Prize and capital are checked against the unit cost when they are left.
    void checkLeft(QLineEdit* field, bool (*accepted)(double, double), const QString& message,
                   const QString& resetText);
    // Refuses a value left in a field: the message, the field's reset and the focus back in it.
    void refuse(QLineEdit* field, const QString& message, const QString& resetText);

    void issueCountChosen(int index);
    void refillPresetList();
    void presetChosen(int index);
    void editPresets();
    void applyPreset(const quorstat::PRESETDATA& preset);

    std::vector<int> selectedRows() const;
    void modifyMultiples(std::vector<int> targets);
    void addToPresets();
    void copyGrossToCapital();

    CQuorstatApp& app_;
    quorstat::PlanFormStore store_;
    double rememberedCost_ = 0;
    bool refusing_ = false;
    quorstat::PlanSubmission submission_;

    NumberEntryPanel* entry_ = nullptr;
    QSplitter* rightColumn_ = nullptr;
    QComboBox* issueCount_ = nullptr;
    QLineEdit* unitCost_ = nullptr;
    QLineEdit* prize_ = nullptr;
    QCheckBox* linkPrize_ = nullptr;
    QLineEdit* initialMultiple_ = nullptr;
    QComboBox* presets_ = nullptr;
    QPushButton* calculate_ = nullptr;
    QButtonGroup* strategies_ = nullptr;
    QCheckBox* useCapital_ = nullptr;
    QLineEdit* capital_ = nullptr;
    QLineEdit* fixedRate_ = nullptr;
    QLineEdit* fixedProfit_ = nullptr;
    QLineEdit* stepProfit_ = nullptr;
    QLineEdit* startProfit_ = nullptr;
    QLineEdit* raiseEvery_ = nullptr;
    QComboBox* raiseMode_ = nullptr;
    QLineEdit* raiseBy_ = nullptr;
    QLineEdit* segment1Issues_ = nullptr;
    QLineEdit* segment1Rate_ = nullptr;
    QLineEdit* segment2Rate_ = nullptr;
    QTableView* table_ = nullptr;
    CalculatorTableModel* model_ = nullptr;
};
