#include "databox/tools_grouping_dialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

#include "core/settings.h"
#include "ui/dialog_buttons.h"
#include "ui/dialog_look.h"
#include "ui/history_edit.h"
#include "ui/prompter.h"
#include "ui/qt_text.h"

namespace {

// 1..10 to pick from; any other count may be typed.
QComboBox* countCombo(const QString& name, QWidget* parent) {
    auto* combo = new QComboBox(parent);
    combo->setObjectName(name);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    for (int count = 1; count <= 10; ++count)
        combo->addItem(QString::number(count));
    combo->setMinimumContentsLength(4);
    return combo;
}

// The typed count; 0, which no row count accepts, for a text that is not a number.
int countOf(const QComboBox* combo) {
    bool number = false;
    const int count = combo->currentText().trimmed().toInt(&number);
    return number ? count : 0;
}

QRadioButton* radio(const QString& text, const QString& name, QWidget* parent) {
    auto* button = new QRadioButton(text, parent);
    button->setObjectName(name);
    return button;
}

QHBoxLayout* row(std::initializer_list<QWidget*> widgets) {
    auto* layout = new QHBoxLayout;
    for (QWidget* widget : widgets)
        layout->addWidget(widget);
    layout->addStretch();
    return layout;
}

}  // namespace

CToolsGroupingDialog::CToolsGroupingDialog(const std::filesystem::path& historyDir,
                                           quorstat::Settings& settings, std::size_t rowCount,
                                           QWidget* parent)
    : QDialog(parent), settings_(settings), rowCount_(rowCount) {
    setWindowTitle(QStringLiteral("自动分组"));
    applyDialogLook(this);

    byCount_ = radio(QStringLiteral("按组数分组，分为"), QStringLiteral("byCount"), this);
    groupCount_ = countCombo(QStringLiteral("groupCount"), this);
    bySize_ = radio(QStringLiteral("按个数分组，每组"), QStringLiteral("bySize"), this);
    groupSize_ = countCombo(QStringLiteral("groupSize"), this);

    order_ = new QButtonGroup(this);
    auto* sequential = radio(QStringLiteral("顺序"), QStringLiteral("sequential"), this);
    auto* dealt = radio(QStringLiteral("交叉"), QStringLiteral("dealt"), this);
    auto* random = radio(QStringLiteral("随机"), QStringLiteral("random"), this);
    order_->addButton(sequential, static_cast<int>(quorstat::GroupingOrder::sequential));
    order_->addButton(dealt, static_cast<int>(quorstat::GroupingOrder::dealt));
    order_->addButton(random, static_cast<int>(quorstat::GroupingOrder::random));

    sameSize_ = new QCheckBox(QStringLiteral("保证每组个数相同，删除多余数据"), this);
    sameSize_->setObjectName(QStringLiteral("sameSize"));
    toleranceOn_ = new QCheckBox(QStringLiteral("组内容错："), this);
    toleranceOn_->setObjectName(QStringLiteral("toleranceOn"));
    tolerance_ = new HistoryEdit(historyDir, QString::fromLatin1(kToleranceHistoryKey), this);
    auto* nameLabel = new QLabel(QStringLiteral("组名："), this);
    name_ = new HistoryEdit(historyDir, QString::fromLatin1(kNameHistoryKey), this);
    nameLabel->setBuddy(name_);

    auto* modes = new QButtonGroup(this);
    modes->addButton(byCount_);
    modes->addButton(bySize_);

    // How the rows are split, then what the new groups get.
    auto* split = new QGroupBox(QStringLiteral("分组"), this);
    auto* splitGrid = new QGridLayout(split);
    splitGrid->addLayout(row({byCount_, groupCount_, new QLabel(QStringLiteral("组"), this)}), 0, 0,
                         1, 2);
    splitGrid->addLayout(row({bySize_, groupSize_, new QLabel(QStringLiteral("个"), this)}), 1, 0,
                         1, 2);
    splitGrid->addWidget(new QLabel(QStringLiteral("分组方式："), this), 2, 0);
    splitGrid->addLayout(row({sequential, dealt, random}), 2, 1);
    splitGrid->addWidget(sameSize_, 3, 0, 1, 2);
    auto* made = new QGroupBox(QStringLiteral("组属性"), this);
    auto* madeGrid = new QGridLayout(made);
    madeGrid->addWidget(toleranceOn_, 0, 0);
    madeGrid->addWidget(tolerance_, 0, 1);
    madeGrid->addWidget(nameLabel, 1, 0);
    madeGrid->addWidget(name_, 1, 1);

    QDialogButtonBox* buttons = makeOkCancelButtons(this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(split);
    layout->addWidget(made);
    layout->addWidget(buttons);
    setMinimumWidth(380);
    QWidget* const chain[] = {byCount_, groupCount_, bySize_,      groupSize_, sequential, dealt,
                              random,   sameSize_,   toleranceOn_, tolerance_, name_,      buttons};
    for (std::size_t i = 1; i < std::size(chain); ++i)
        setTabOrder(chain[i - 1], chain[i]);

    showSettings();
    connect(byCount_, &QAbstractButton::toggled, this, &CToolsGroupingDialog::updateEnabled);
    connect(bySize_, &QAbstractButton::toggled, this, &CToolsGroupingDialog::updateEnabled);
    connect(toleranceOn_, &QAbstractButton::toggled, this, &CToolsGroupingDialog::updateEnabled);
    updateEnabled();
}

void CToolsGroupingDialog::showSettings() {
    const bool bySize = settings_.groupMode == static_cast<int>(quorstat::GroupingMode::bySize);
    (bySize ? bySize_ : byCount_)->setChecked(true);
    groupCount_->setCurrentText(QString::number(settings_.groupCount));
    groupSize_->setCurrentText(QString::number(settings_.userCountPerGroup));
    QAbstractButton* order = order_->button(settings_.groupType);
    (order ? order : order_->buttons().constFirst())->setChecked(true);
    sameSize_->setChecked(settings_.sameUserCount != 0);
    toleranceOn_->setChecked(settings_.errorInGroup != 0);
}

void CToolsGroupingDialog::storeSettings() const {
    settings_.groupMode = static_cast<int>(options_.mode);
    // The combo not chosen was not checked: a count it cannot give keeps the stored one.
    const auto keep = [](const QComboBox* combo, int stored) {
        return countOf(combo) >= 1 ? countOf(combo) : stored;
    };
    settings_.groupCount = keep(groupCount_, settings_.groupCount);
    settings_.userCountPerGroup = keep(groupSize_, settings_.userCountPerGroup);
    settings_.groupType = static_cast<int>(options_.order);
    settings_.sameUserCount = options_.sameSize ? 1 : 0;
    settings_.errorInGroup = options_.toleranceOn ? 1 : 0;
}

quorstat::GroupingOptions CToolsGroupingDialog::chosenOptions() const {
    quorstat::GroupingOptions options;
    const bool bySize = bySize_->isChecked();
    options.mode = bySize ? quorstat::GroupingMode::bySize : quorstat::GroupingMode::byCount;
    options.count = countOf(bySize ? groupSize_ : groupCount_);
    options.order = static_cast<quorstat::GroupingOrder>(order_->checkedId());
    options.sameSize = sameSize_->isChecked();
    options.toleranceOn = toleranceOn_->isChecked();
    options.toleranceText = tolerance_->text().trimmed().toStdString();
    options.name = name_->text().trimmed().toStdString();
    return options;
}

void CToolsGroupingDialog::updateEnabled() {
    groupCount_->setEnabled(byCount_->isChecked());
    groupSize_->setEnabled(bySize_->isChecked());
    tolerance_->setEnabled(toleranceOn_->isChecked());
}

void CToolsGroupingDialog::accept() {
    options_ = chosenOptions();
    if (const auto message = quorstat::ValidateGrouping(options_, rowCount_)) {
        Prompter::instance().message(this, toQString(*message));
        return;
    }
    // The histories keep what was used, without the blanks around it.
    tolerance_->setText(toQString(options_.toleranceText));
    name_->setText(toQString(options_.name));
    if (options_.toleranceOn)
        tolerance_->remember();
    name_->remember();
    storeSettings();
    QDialog::accept();
}
