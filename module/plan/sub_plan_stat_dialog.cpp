#include "plan/sub_plan_stat_dialog.h"

#include <fmt/format.h>
#include <QButtonGroup>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSplitter>
#include <QTableView>
#include <QVBoxLayout>
#include <map>
#include <numeric>
#include <optional>
#include <set>
#include <variant>

#include "console/console_dialog.h"
#include "console/current_scope.h"
#include "core/quorstat_app.h"
#include "net/reply_text.h"
#include "plan/calculator_table_model.h"
#include "plan/number_entry_panel.h"
#include "plan/plan_form_file.h"
#include "plan/preset_rules.h"
#include "plan/tools_mfy_mul_dialog.h"
#include "plan/tools_mi_preset_editor_dialog.h"
#include "ui/call_later.h"
#include "ui/prompter.h"
#include "ui/qt_text.h"
#include "ui/wait_cursor.h"

namespace {

using quorstat::CalculationStart;

struct StrategyRadio {
    int code;
    const char* text;
};

constexpr StrategyRadio kStrategyRadios[] = {
    {quorstat::MulManual, "手动翻倍（双击或右键修改倍数）"},
    {quorstat::MulAllIn, "梭哈模式"},
    {quorstat::MulFixedRate, "按固定利润率翻倍"},
    {quorstat::MulFixedProfit, "按固定利润翻倍"},
    {quorstat::MulStepProfit, "按递增利润翻倍"},
    {quorstat::MulDoublingProfit, "按倍增利润翻倍"},
    {quorstat::MulByIssues, "按投注期数翻倍"},
    {quorstat::MulSegmentRate, "按分段利润率翻倍，第1段期数"},
};

const QString kStyleSheet = QStringLiteral(
    "#planForm { background: #fffdf8; }"
    "#planForm QLabel, #planForm QRadioButton, #planForm QCheckBox { color: #1d2b5c; }"
    "#numberEntryArea { border: 1px solid #d8ccb0; border-radius: 4px; background: #fffaf0; }"
    "#planForm QLineEdit, #planForm QComboBox { border: 1px solid #c2b28f; border-radius: 3px;"
    "  padding: 1px 4px; background: white; color: #1d2b5c; }"
    "#planForm QLineEdit:disabled, #planForm QComboBox:disabled { background: #f3eee2;"
    "  color: #a99f88; }"
    "#planForm QPushButton { color: #1d2b5c; border: 1px solid #c2b28f; border-radius: 4px;"
    "  padding: 3px 16px; background: qlineargradient(x1:0, y1:0, x2:0, y2:1,"
    "  stop:0 #fffdf8, stop:1 #efe6d2); }"
    "#planForm QPushButton:hover { background: #fffaf0; border-color: #9c8a62; }"
    "#positionalPicker QPushButton, #positionFreePicker QPushButton, #betNumbersField QPushButton"
    "  { padding: 3px 0px; }"
    "#planForm QPushButton#submit { color: white; font-weight: bold; border-color: #8c1d14;"
    "  background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #e0523f, stop:1 #b52a1d); }"
    "#planForm QPushButton#submit:disabled { background: #d8b4ad; border-color: #c2a49c; }"
    "#betNumbers { border: 1px solid #c2b28f; border-radius: 3px; background: white;"
    "  color: #1d2b5c; }"
    "#calculatorTable { border: 1px solid #c2b28f; gridline-color: #e6dcc6;"
    "  selection-background-color: #34508d; alternate-background-color: #faf5ea; }"
    "#calculatorTable QHeaderView::section { color: #1d2b5c; background: #e9dfc8;"
    "  border: none; border-right: 1px solid #d8ccb0; padding: 3px; }");

QLineEdit* makeEdit(const QString& name, int width, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setFixedWidth(width);
    return edit;
}

// A row of controls with text between them, as the strategy parameters read.
QHBoxLayout* controlRow(std::initializer_list<std::variant<QWidget*, const char*>> parts,
                        QWidget* parent) {
    auto* row = new QHBoxLayout;
    row->setSpacing(4);
    for (const auto& part : parts) {
        if (const auto* widget = std::get_if<QWidget*>(&part))
            row->addWidget(*widget);
        else
            row->addWidget(new QLabel(QString::fromUtf8(std::get<const char*>(part)), parent));
    }
    row->addStretch(1);
    return row;
}

double numberIn(const QLineEdit* field) {
    return quorstat::ReadReal(field->text().toStdString());
}

QString costOrPrizeText(double value) {
    return toQString(fmt::format("{:.3f}", value));
}

// The upload's questions, put to the user as Yes/No boxes.
class PromptedQuestions : public quorstat::UploadQuestions {
public:
    explicit PromptedQuestions(QWidget* parent) : parent_(parent) {}

    bool ratioIsRight(double unitCost, double prize) override {
        return ask(
            toQString(fmt::format("当前设置单注金额：{:.3f}，中奖金额：{:.3f}，这个设置是否正确？",
                                  unitCost, prize)),
            QMessageBox::No);
    }
    bool startUpload() override { return ask(QStringLiteral("确定要开始上传方案吗？")); }
    bool shareFromNowOn() override {
        return ask(QStringLiteral("人人为我，我为人人，您要分享方案吗？"));
    }

private:
    bool ask(const QString& question,
             QMessageBox::StandardButton preselected = QMessageBox::NoButton) {
        return Prompter::instance().message(
                   parent_, question, Prompter::defaultCaption(), Prompter::Icon::Question,
                   QMessageBox::Yes | QMessageBox::No, preselected) == QMessageBox::Yes;
    }

    QWidget* parent_;
};

}  // namespace

CSubPlanStatDialog::CSubPlanStatDialog(CQuorstatApp& app, QWidget* parent)
    : QWidget(parent), app_(app), store_(app.paths.dataDir / quorstat::kPlanFormFileName) {
    setObjectName(QStringLiteral("planForm"));
    setAttribute(Qt::WA_StyledBackground);
    setStyleSheet(kStyleSheet);
    buildControls();
    store_.load();
    store_.select(app_.lotteryId, app_.playId);
    showRecord();
}

CSubPlanStatDialog::~CSubPlanStatDialog() {
    SaveState();
}

void CSubPlanStatDialog::buildControls() {
    entry_ = new NumberEntryPanel(app_, this);
    connect(entry_, &NumberEntryPanel::betNumbersChanged, this, [this](const std::string& text) {
        if (store_.current())
            record().betNumbers = text;
    });
    connect(entry_, &NumberEntryPanel::submitRequested, this, &CSubPlanStatDialog::Submit);

    model_ = new CalculatorTableModel(this);
    table_ = new QTableView(this);
    table_->setObjectName(QStringLiteral("calculatorTable"));
    table_->setModel(model_);
    table_->verticalHeader()->hide();
    table_->setAlternatingRowColors(true);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setContextMenuPolicy(Qt::CustomContextMenu);
    table_->verticalHeader()->setDefaultSectionSize(22);
    // Money columns share the width; number and issue keep what their texts need.
    QHeaderView* header = table_->horizontalHeader();
    header->setSectionResizeMode(QHeaderView::Stretch);
    header->setSectionResizeMode(quorstat::ColNumber, QHeaderView::ResizeToContents);
    header->setSectionResizeMode(quorstat::ColIssue, QHeaderView::ResizeToContents);
    connect(table_, &QTableView::customContextMenuRequested, this,
            [this](const QPoint& pos) { showTableMenu(table_->viewport()->mapToGlobal(pos)); });
    connect(table_, &QTableView::doubleClicked, this, [this] { modifyMultiples(selectedRows()); });

    auto* left = new QVBoxLayout;
    left->addWidget(entry_, 1);
    left->addWidget(buildSettings());
    // Nothing is computed from numbers still going into the field.
    connect(entry_, &NumberEntryPanel::busyChanged, calculate_,
            [this](bool busy) { calculate_->setEnabled(!busy); });
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addLayout(left);
    rightColumn_ = new QSplitter(Qt::Vertical, this);
    rightColumn_->setObjectName(QStringLiteral("planRightColumn"));
    rightColumn_->setChildrenCollapsible(false);
    rightColumn_->addWidget(table_);
    layout->addWidget(rightColumn_, 1);
    updateEnabled();
}

void CSubPlanStatDialog::placeBelowTable(QWidget* panel) {
    rightColumn_->addWidget(panel);
    // The plans below get the larger share; the table shows a dozen issues.
    rightColumn_->setStretchFactor(0, 2);
    rightColumn_->setStretchFactor(1, 3);
}

QWidget* CSubPlanStatDialog::buildSettings() {
    auto* box = new QWidget(this);
    issueCount_ = new QComboBox(box);
    issueCount_->setObjectName(QStringLiteral("issueCount"));
    for (int count = 1; count <= quorstat::kMaxIssueCount; ++count)
        issueCount_->addItem(QString::number(count));
    issueCount_->setCurrentIndex(2);
    issueCount_->setMaxVisibleItems(20);
    unitCost_ = makeEdit(QStringLiteral("unitCost"), 70, box);
    prize_ = makeEdit(QStringLiteral("prize"), 86, box);
    linkPrize_ = new QCheckBox(QStringLiteral("联动"), box);
    linkPrize_->setObjectName(QStringLiteral("linkPrize"));
    initialMultiple_ = makeEdit(QStringLiteral("initialMultiple"), 70, box);
    presets_ = new QComboBox(box);
    presets_->setObjectName(QStringLiteral("presets"));
    presets_->setMinimumWidth(110);
    calculate_ = new QPushButton(QStringLiteral("计算"), box);
    calculate_->setObjectName(QStringLiteral("calculate"));

    useCapital_ = new QCheckBox(QStringLiteral("初始资金"), box);
    useCapital_->setObjectName(QStringLiteral("useCapital"));
    capital_ = makeEdit(QStringLiteral("capital"), 86, box);
    fixedRate_ = makeEdit(QStringLiteral("fixedRate"), 70, box);
    fixedProfit_ = makeEdit(QStringLiteral("fixedProfit"), 70, box);
    stepProfit_ = makeEdit(QStringLiteral("stepProfit"), 70, box);
    startProfit_ = makeEdit(QStringLiteral("startProfit"), 70, box);
    raiseEvery_ = makeEdit(QStringLiteral("raiseEvery"), 40, box);
    raiseMode_ = new QComboBox(box);
    raiseMode_->setObjectName(QStringLiteral("raiseMode"));
    raiseMode_->addItems({QStringLiteral("加"), QStringLiteral("翻")});
    raiseBy_ = makeEdit(QStringLiteral("raiseBy"), 40, box);
    segment1Issues_ = makeEdit(QStringLiteral("segment1Issues"), 40, box);
    segment1Rate_ = makeEdit(QStringLiteral("segment1Rate"), 60, box);
    segment2Rate_ = makeEdit(QStringLiteral("segment2Rate"), 60, box);

    auto* grid = new QGridLayout(box);
    grid->setContentsMargins(0, 4, 0, 0);
    grid->setVerticalSpacing(5);
    grid->addLayout(
        controlRow({"期数", issueCount_, "单注成本", unitCost_, "中奖金额", prize_, linkPrize_},
                   box),
        0, 0, 1, 2);
    grid->addLayout(controlRow({"初始倍数", initialMultiple_, "预设", presets_, calculate_}, box),
                    1, 0, 1, 2);

    strategies_ = new QButtonGroup(this);
    const std::map<int, QHBoxLayout*> parameters = {
        {quorstat::MulAllIn, controlRow({useCapital_, capital_}, box)},
        {quorstat::MulFixedRate, controlRow({fixedRate_, "%"}, box)},
        {quorstat::MulFixedProfit, controlRow({fixedProfit_}, box)},
        {quorstat::MulStepProfit, controlRow({stepProfit_}, box)},
        {quorstat::MulDoublingProfit, controlRow({startProfit_}, box)},
        {quorstat::MulByIssues,
         controlRow({"每", raiseEvery_, "期", raiseMode_, raiseBy_, "倍"}, box)},
        {quorstat::MulSegmentRate, controlRow({segment1Issues_}, box)},
    };
    int row = 2;
    for (const StrategyRadio& strategy : kStrategyRadios) {
        auto* radio = new QRadioButton(QString::fromUtf8(strategy.text), box);
        radio->setObjectName(QStringLiteral("strategy%1").arg(strategy.code));
        strategies_->addButton(radio, strategy.code);
        grid->addWidget(radio, row, 0);
        if (const auto found = parameters.find(strategy.code); found != parameters.end())
            grid->addLayout(found->second, row, 1);
        ++row;
    }
    grid->addLayout(
        controlRow({"    第1段利润率", segment1Rate_, "%，第2段利润率", segment2Rate_, "%"}, box),
        row, 0, 1, 2);
    grid->setColumnStretch(1, 1);

    connect(strategies_, &QButtonGroup::idToggled, this, [this] { updateEnabled(); });
    connect(useCapital_, &QCheckBox::toggled, this, [this] { updateEnabled(); });
    connect(unitCost_, &QLineEdit::editingFinished, this, &CSubPlanStatDialog::unitCostLeft);
    connect(prize_, &QLineEdit::editingFinished, this, [this] {
        checkLeft(prize_, quorstat::PrizeAccepted, QStringLiteral("中奖金额设置不正确"),
                  QStringLiteral("1000.0"));
    });
    connect(capital_, &QLineEdit::editingFinished, this, [this] {
        checkLeft(capital_, quorstat::CapitalAccepted, QStringLiteral("初始资金设置不正确"),
                  QStringLiteral("1000"));
    });
    connect(issueCount_, &QComboBox::activated, this, &CSubPlanStatDialog::issueCountChosen);
    connect(presets_, &QComboBox::activated, this, &CSubPlanStatDialog::presetChosen);
    connect(calculate_, &QPushButton::clicked, this, &CSubPlanStatDialog::Calculate);
    return box;
}

// ---- form state ------------------------------------------------------------------------------

quorstat::tagCONFIG_MYPLANDATA& CSubPlanStatDialog::record() {
    return *store_.current();
}

const std::vector<quorstat::MultipleRow>& CSubPlanStatDialog::rows() const {
    return model_->rows();
}

auto CSubPlanStatDialog::textFields() const -> std::array<TextField, 13> {
    using Fields = quorstat::PlanFormFields;
    return {{{unitCost_, &Fields::unitCost},
             {prize_, &Fields::prize},
             {capital_, &Fields::capital},
             {fixedRate_, &Fields::fixedRate},
             {fixedProfit_, &Fields::fixedProfit},
             {stepProfit_, &Fields::stepProfit},
             {startProfit_, &Fields::startProfit},
             {raiseEvery_, &Fields::raiseEvery},
             {raiseBy_, &Fields::raiseBy},
             {segment1Issues_, &Fields::segment1Issues},
             {segment1Rate_, &Fields::segment1Rate},
             {segment2Rate_, &Fields::segment2Rate},
             {initialMultiple_, &Fields::initialMultiple}}};
}

quorstat::PlanFormFields CSubPlanStatDialog::fields() const {
    quorstat::PlanFormFields fields;
    fields.issueIndex = issueCount_->currentIndex();
    for (const StrategyRadio& strategy : kStrategyRadios) {
        if (strategies_->button(strategy.code)->isChecked()) {
            fields.strategy = strategy.code;
            break;
        }
    }
    fields.linkPrize = linkPrize_->isChecked();
    fields.useCapital = useCapital_->isChecked();
    fields.raiseMode = std::max(0, raiseMode_->currentIndex());
    for (const auto& [edit, text] : textFields())
        fields.*text = edit->text().toStdString();
    return fields;
}

void CSubPlanStatDialog::setFields(const quorstat::PlanFormFields& fields) {
    issueCount_->setCurrentIndex(fields.issueIndex);
    // Without a strategy no radio is checked, which an exclusive group only allows this way.
    strategies_->setExclusive(false);
    for (QAbstractButton* radio : strategies_->buttons())
        radio->setChecked(strategies_->id(radio) == fields.strategy);
    strategies_->setExclusive(true);
    linkPrize_->setChecked(fields.linkPrize);
    useCapital_->setChecked(fields.useCapital);
    raiseMode_->setCurrentIndex(fields.raiseMode);
    for (const auto& [edit, text] : textFields())
        edit->setText(toQString(fields.*text));
    rememberedCost_ = numberIn(unitCost_);
    updateEnabled();
}

void CSubPlanStatDialog::showRecord() {
    quorstat::tagCONFIG_MYPLANDATA shown = record();
    quorstat::ReadBackForm(quorstat::FieldsFromRecord(shown), shown);
    store_.settleCurrent(shown);
    setFields(quorstat::FieldsFromRecord(record()));
    entry_->showRecord(record());
    refillPresetList();
    std::vector<quorstat::MultipleRow> rows;
    if (app_.play.currentIssue != 0)
        quorstat::ResizeTable(rows, issueCount_->currentIndex() + 1, record(), app_.play);
    showRows(std::move(rows));
}

void CSubPlanStatDialog::SaveState() {
    if (!store_.current())
        return;
    entry_->readBack(record());
    quorstat::ReadBackForm(fields(), record());
    store_.save();
}

void CSubPlanStatDialog::OnSelectionChanged() {
    SaveState();
    store_.select(app_.lotteryId, app_.playId);
    showRecord();
}

void CSubPlanStatDialog::OnIssueChanged() {
    std::vector<quorstat::MultipleRow> rows = model_->rows();
    if (rows.empty())
        quorstat::ResizeTable(rows, issueCount_->currentIndex() + 1, record(), app_.play);
    quorstat::RelabelTable(rows, app_.play);
    showRows(std::move(rows));
    entry_->refreshCount();
}

void CSubPlanStatDialog::updateEnabled() {
    const int chosen = strategies_->checkedId();
    const std::pair<int, QWidget*> parameters[] = {
        {quorstat::MulAllIn, useCapital_},           {quorstat::MulFixedRate, fixedRate_},
        {quorstat::MulFixedProfit, fixedProfit_},    {quorstat::MulStepProfit, stepProfit_},
        {quorstat::MulDoublingProfit, startProfit_}, {quorstat::MulByIssues, raiseEvery_},
        {quorstat::MulByIssues, raiseMode_},         {quorstat::MulByIssues, raiseBy_},
        {quorstat::MulSegmentRate, segment1Issues_}, {quorstat::MulSegmentRate, segment1Rate_},
        {quorstat::MulSegmentRate, segment2Rate_},
    };
    for (const auto& [code, widget] : parameters)
        widget->setEnabled(chosen == code);
    capital_->setEnabled(chosen == quorstat::MulAllIn && useCapital_->isChecked());
}

// ---- fields left ----------------------------------------------------------------------------

void CSubPlanStatDialog::refuse(QLineEdit* field, const QString& message,
                                const QString& resetText) {
    refusing_ = true;
    Prompter::instance().message(this, message);
    field->setText(resetText);
    field->setFocus();
    field->selectAll();
    refusing_ = false;
}

void CSubPlanStatDialog::unitCostLeft() {
    if (refusing_)
        return;
    const double cost = numberIn(unitCost_);
    if (!quorstat::UnitCostAccepted(cost)) {
        refuse(unitCost_, QStringLiteral("单注金额设置不正确"), QStringLiteral("2.0"));
        return;
    }
    if (linkPrize_->isChecked()) {
        prize_->setText(
            costOrPrizeText(quorstat::LinkedPrize(numberIn(prize_), rememberedCost_, cost)));
    }
    rememberedCost_ = cost;
}

void CSubPlanStatDialog::checkLeft(QLineEdit* field, bool (*accepted)(double, double),
                                   const QString& message, const QString& resetText) {
    if (refusing_)
        return;
    if (!accepted(numberIn(field), numberIn(unitCost_)))
        refuse(field, message, resetText);
}

// ---- calculation ----------------------------------------------------------------------------

void CSubPlanStatDialog::Calculate() {
    recalculate(CalculationStart::Form);
}

void CSubPlanStatDialog::recalculate(CalculationStart start) {
    quorstat::Calculation calculation;
    {
        const WaitCursor wait;
        entry_->readBack(record());
        calculation = quorstat::Calculate(fields(), record(), app_.play, start);
        store_.save();
    }
    // The fields show what was taken, defaults in place of what was refused, and the numbers
    // as they were counted.
    setFields(quorstat::FieldsFromRecord(record()));
    entry_->showNumbers(record().betNumbers);
    showRows(std::move(calculation.rows));
    if (!calculation.message.empty())
        Prompter::instance().message(this, toQString(calculation.message));
}

// ---- upload ----------------------------------------------------------------------------------

void CSubPlanStatDialog::Submit() {
    if (entry_->busy())
        return;
    SaveState();
    setFields(quorstat::FieldsFromRecord(record()));
    quorstat::UploadForm form;
    form.record = &record();
    form.remainingSeconds = app_.draw.remainingSeconds;
    for (const quorstat::MultipleRow& row : model_->rows())
        form.multiples.push_back(row.multiple);
    form.checkedPositions = entry_->checkedPositions();
    form.betByLocation = entry_->betByLocation();
    form.shared = app_.shareFlag;
    form.serverTime = app_.draw.serverTime;
    form.pageSize = app_.settings.planPlanListPrePageCount;
    PromptedQuestions questions(this);
    const quorstat::UploadDecision decision = submission_.prepare(form, app_.play, questions);
    if (decision.shareChosen)
        agreedToShare();
    if (!decision.message.empty()) {
        Prompter::instance().message(this, toQString(decision.message));
        return;
    }
    if (!decision.plan)
        return;
    if (!decision.normalizedNumbers.empty())
        entry_->showNumbers(decision.normalizedNumbers);
    auto request = app_.catalogue().planUpload(quorstat::CurrentScope(app_), *decision.plan);
    if (!request)
        return;
    if (app_.console)
        app_.console->beginUpload(QStringLiteral("正在上传数据，请稍后..."));
    app_.queue(std::move(request));
}

// Sharing agreed to on the way is kept whatever becomes of the upload.
void CSubPlanStatDialog::agreedToShare() {
    app_.shareFlag = true;
    entry_->setShared(true);
    app_.queue(app_.catalogue().shareSet(quorstat::CurrentScope(app_), true));
}

// The numbers stay until the service has the plan, so a refused plan can be sent again.
void CSubPlanStatDialog::OnUploadAccepted() {
    if (app_.settings.planStatAfterSubmitClrEdit)
        entry_->clearNumbers();
    // Said once the reply has been handled, so the request worker is not kept waiting.
    CallLater(this, 0,
              [this] { Prompter::instance().prompt(this, QStringLiteral("方案提交成功")); });
}

void CSubPlanStatDialog::SetBetNumbers(std::string_view text) {
    entry_->takeNumbers(text);
}

void CSubPlanStatDialog::ShowShareFlag(bool shared) {
    entry_->setShared(shared);
}

void CSubPlanStatDialog::showRows(std::vector<quorstat::MultipleRow> rows) {
    model_->setRows(std::move(rows));
}

// ---- 期数 and presets --------------------------------------------------------------------------

void CSubPlanStatDialog::issueCountChosen(int index) {
    refillPresetList();
    if (app_.play.currentIssue == 0)
        return;
    record().issueCount = index + 1;
    std::vector<quorstat::MultipleRow> rows = model_->rows();
    quorstat::ResizeTable(rows, index + 1, record(), app_.play);
    showRows(std::move(rows));
}

void CSubPlanStatDialog::refillPresetList() {
    presets_->clear();
    presets_->addItem(QStringLiteral("编辑"));
    for (const std::string& name :
         quorstat::PresetNamesFor(record().presets, issueCount_->currentIndex() + 1))
        presets_->addItem(toQString(name));
    presets_->setCurrentIndex(-1);
}

void CSubPlanStatDialog::presetChosen(int index) {
    if (index == 0) {
        editPresets();
        return;
    }
    const std::string name = presets_->itemText(index).toStdString();
    const int issueCount = issueCount_->currentIndex() + 1;
    for (const quorstat::PRESETDATA& preset : record().presets) {
        if (preset.presetName == name && preset.presetIssues == issueCount) {
            applyPreset(preset);
            return;
        }
    }
}

void CSubPlanStatDialog::editPresets() {
    CToolsMIPresetEditorDialog editor(record().presets, this);
    const bool accepted = Prompter::instance().exec(editor) == QDialog::Accepted;
    if (accepted)
        record().presets = editor.presets();
    refillPresetList();
    if (accepted)
        SaveState();
}

void CSubPlanStatDialog::applyPreset(const quorstat::PRESETDATA& preset) {
    const quorstat::PRESETDATA chosen = preset;
    showRows(quorstat::PlainRows(chosen.presetMultiples, app_.play));
    record().manualMultiples = chosen.presetMultiples;
    issueCount_->setCurrentIndex(std::clamp(chosen.presetIssues, 1, quorstat::kMaxIssueCount) - 1);
    recalculate(CalculationStart::Manual);
    refillPresetList();
    presets_->setCurrentText(toQString(chosen.presetName));
}

// ---- the table's menu --------------------------------------------------------------------------

std::vector<int> CSubPlanStatDialog::selectedRows() const {
    std::set<int> rows;
    for (const QModelIndex& index : table_->selectionModel()->selectedRows())
        rows.insert(index.row());
    return {rows.begin(), rows.end()};
}

void CSubPlanStatDialog::showTableMenu(const QPoint& globalPos) {
    if (model_->rows().empty())
        return;
    const std::vector<int> selected = selectedRows();
    auto* menu = new QMenu(this);
    menu->setObjectName(QStringLiteral("calculatorMenu"));
    menu->setAttribute(Qt::WA_DeleteOnClose);
    if (!selected.empty()) {
        menu->addAction(QStringLiteral("修改选中项倍数"), this,
                        [this, selected] { modifyMultiples(selected); });
    }
    menu->addAction(QStringLiteral("修改全部项倍数"), this, [this] {
        std::vector<int> all(model_->rows().size());
        std::iota(all.begin(), all.end(), 0);
        modifyMultiples(all);
    });
    menu->addSeparator();
    menu->addAction(QStringLiteral("添加到预设"), this, &CSubPlanStatDialog::addToPresets);
    if (selected.size() == 1) {
        menu->addSeparator();
        menu->addAction(QStringLiteral("复制毛利润到初始资金"), this,
                        &CSubPlanStatDialog::copyGrossToCapital);
    }
    menu->popup(globalPos);
}

void CSubPlanStatDialog::modifyMultiples(std::vector<int> targets) {
    std::vector<quorstat::MultipleRow> rows = model_->rows();
    // The table may have been rebuilt since the menu was shown.
    std::erase_if(targets,
                  [&](int row) { return row < 0 || row >= static_cast<int>(rows.size()); });
    if (targets.empty())
        return;
    std::optional<std::int64_t> shown;
    if (targets.size() == 1)
        shown = rows[static_cast<std::size_t>(targets.front())].multiple;
    CToolsMfyMulDialog dialog(app_.paths.historyDir, targets.size(), shown, this);
    if (Prompter::instance().exec(dialog) != QDialog::Accepted)
        return;
    for (std::size_t k = 0; k < targets.size(); ++k) {
        quorstat::MultipleRow& row = rows[static_cast<std::size_t>(targets[k])];
        row.multiple = dialog.multiples()[k];
        row.cells[quorstat::ColMultiple] = std::to_string(row.multiple);
    }
    const std::vector<int> selected = selectedRows();
    strategies_->button(quorstat::MulManual)->setChecked(true);
    quorstat::CopyMultiplesToManual(rows, record());
    recalculate(CalculationStart::Manual);
    for (const int row : selected) {
        if (row < model_->rowCount())
            table_->selectionModel()->select(
                model_->index(row, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
}

void CSubPlanStatDialog::addToPresets() {
    const std::vector<std::uint32_t> multiples = quorstat::MultiplesOf(model_->rows());
    const int issues = static_cast<int>(multiples.size());
    auto& presets = record().presets;
    if (quorstat::HasSamePreset(presets, issues, multiples) &&
        Prompter::instance().message(this, QStringLiteral("存在相同的预设数据，是否要继续添加？"),
                                     Prompter::defaultCaption(), Prompter::Icon::Question,
                                     QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes)
        return;
    presets.push_back({quorstat::NextPresetName(presets), {}, issues, multiples});
    refillPresetList();
    SaveState();
}

void CSubPlanStatDialog::copyGrossToCapital() {
    const std::vector<int> selected = selectedRows();
    if (selected.size() != 1)
        return;
    const QString gross = toQString(
        model_->rows()[static_cast<std::size_t>(selected.front())].cells[quorstat::ColGross]);
    QGuiApplication::clipboard()->setText(gross);
    capital_->setText(gross);
}
