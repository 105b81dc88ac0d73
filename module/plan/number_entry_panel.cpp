#include "plan/number_entry_panel.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "console/current_scope.h"
#include "core/quorstat_app.h"
#include "plan/bet_numbers_field.h"
#include "plan/play_table.h"
#include "plan/position_free_picker_widget.h"
#include "plan/position_table.h"
#include "plan/positional_picker_widget.h"
#include "ui/prompter.h"
#include "ui/qt_text.h"

namespace {

using quorstat::PlayFamily;

std::vector<std::string> splitNames(std::string_view list) {
    std::vector<std::string> names;
    while (!list.empty()) {
        const std::size_t comma = std::min(list.find(','), list.size());
        if (comma > 0)
            names.emplace_back(list.substr(0, comma));
        list.remove_prefix(std::min(comma + 1, list.size()));
    }
    return names;
}

}  // namespace

NumberEntryPanel::NumberEntryPanel(CQuorstatApp& app, QWidget* parent)
    : QWidget(parent), app_(app) {
    setObjectName(QStringLiteral("numberEntryArea"));
    setAttribute(Qt::WA_StyledBackground);
    field_ = new BetNumbersField(app_.settings, this);
    freePicker_ = new PositionFreePickerWidget(this);
    positionalPicker_ = new PositionalPickerWidget(this);
    entries_ = new QStackedWidget(this);
    for (QWidget* entry : std::initializer_list<QWidget*>{field_, freePicker_, positionalPicker_})
        entries_->addWidget(entry);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(4);
    layout->addWidget(buildPositions());
    layout->addWidget(entries_, 1);
    layout->addWidget(buildFooter());

    connect(field_, &BetNumbersField::numbersChanged, this, &NumberEntryPanel::recount);
    connect(field_, &BetNumbersField::progress, this, &NumberEntryPanel::showProgress);
    connect(field_, &BetNumbersField::busyChanged, this, [this](bool busy) {
        progress_->setVisible(busy);
        submit_->setEnabled(!busy);
        emit busyChanged(busy);
    });
    connect(freePicker_, &PositionFreePickerWidget::changed, this, &NumberEntryPanel::recount);
    connect(positionalPicker_, &PositionalPickerWidget::changed, this, &NumberEntryPanel::recount);
}

QWidget* NumberEntryPanel::buildPositions() {
    positions_ = new QWidget(this);
    singlePosition_ = new QRadioButton(QStringLiteral("单个位置"), positions_);
    singlePosition_->setObjectName(QStringLiteral("singlePosition"));
    multiplePositions_ = new QRadioButton(QStringLiteral("多个位置"), positions_);
    multiplePositions_->setObjectName(QStringLiteral("multiplePositions"));
    auto* modes = new QButtonGroup(positions_);
    modes->addButton(singlePosition_);
    modes->addButton(multiplePositions_);
    betByLocation_ = new QCheckBox(QStringLiteral("按位置分开投注"), positions_);
    betByLocation_->setObjectName(QStringLiteral("betByLocation"));

    auto* grid = new QGridLayout(positions_);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(2);
    auto* modeRow = new QHBoxLayout;
    modeRow->addWidget(singlePosition_);
    modeRow->addWidget(multiplePositions_);
    modeRow->addStretch(1);
    modeRow->addWidget(betByLocation_);
    grid->addLayout(modeRow, 0, 0, 1, 5);
    for (std::size_t i = 0; i < positionBoxes_.size(); ++i) {
        auto* box = new QCheckBox(positions_);
        box->setObjectName(QStringLiteral("position%1").arg(i));
        connect(box, &QCheckBox::clicked, this, [this, box] { positionClicked(box); });
        positionBoxes_[i] = box;
        grid->addWidget(box, 1 + static_cast<int>(i) / 5, static_cast<int>(i) % 5);
    }
    connect(singlePosition_, &QRadioButton::clicked, this, [this] { positionModeChosen(true); });
    connect(multiplePositions_, &QRadioButton::clicked, this,
            [this] { positionModeChosen(false); });
    connect(betByLocation_, &QCheckBox::clicked, this, &NumberEntryPanel::betByLocationToggled);
    return positions_;
}

QWidget* NumberEntryPanel::buildFooter() {
    auto* footer = new QWidget(this);
    countLabel_ = new QLabel(footer);
    countLabel_->setObjectName(QStringLiteral("betCount"));
    progress_ = new QProgressBar(footer);
    progress_->setObjectName(QStringLiteral("pasteProgress"));
    progress_->setFixedWidth(110);
    progress_->setMaximumHeight(14);
    progress_->setTextVisible(false);
    progress_->hide();
    share_ = new QCheckBox(QStringLiteral("分享"), footer);
    share_->setObjectName(QStringLiteral("share"));
    submit_ = new QPushButton(QStringLiteral("提交"), footer);
    submit_->setObjectName(QStringLiteral("submit"));
    auto* row = new QHBoxLayout(footer);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(countLabel_);
    row->addWidget(progress_);
    row->addStretch(1);
    row->addWidget(share_);
    row->addWidget(submit_);
    connect(share_, &QCheckBox::clicked, this, &NumberEntryPanel::shareClicked);
    connect(submit_, &QPushButton::clicked, this, &NumberEntryPanel::submitRequested);
    return footer;
}

// ---- the record ---------------------------------------------------------------------------

void NumberEntryPanel::showRecord(const quorstat::tagCONFIG_MYPLANDATA& record) {
    // A paste for the pair left behind is not finished.
    field_->stop();
    showPositions(record);
    field_->setPlay(app_.play);
    switch (quorstat::playFamily(app_.play.playId)) {
        case PlayFamily::positionFree:
            freePicker_->restore(record.betNumbers);
            entries_->setCurrentWidget(freePicker_);
            break;
        case PlayFamily::positional:
            positionalPicker_->restore(record.betNumbers);
            entries_->setCurrentWidget(positionalPicker_);
            break;
        default:
            field_->setPasteOptions(
                {record.pasteInverted != 0, record.addEqualDigits != 0, record.addRuns != 0});
            field_->showNumbers(record.betNumbers);
            entries_->setCurrentWidget(field_);
    }
    recount();
}

void NumberEntryPanel::showPositions(const quorstat::tagCONFIG_MYPLANDATA& record) {
    const int stars = app_.play.starCount;
    const bool shown = stars >= 2 && stars <= 4;
    const auto choices = quorstat::positionChoices(stars);
    const std::vector<std::string> checked = splitNames(record.positionNames);
    positions_->setVisible(shown);
    for (std::size_t i = 0; i < positionBoxes_.size(); ++i) {
        QCheckBox* box = positionBoxes_[i];
        const bool offered = shown && i < choices.size();
        box->setVisible(offered);
        box->setText(offered ? toQString(choices[i].name) : QString());
        box->setChecked(offered && std::ranges::find(checked, choices[i].name) != checked.end());
    }
    singlePosition_->setChecked(app_.settings.myPlanUseSinglePos);
    multiplePositions_->setChecked(!app_.settings.myPlanUseSinglePos);
    betByLocation_->setChecked(app_.settings.myPlanBetByLocation);
}

void NumberEntryPanel::readBack(quorstat::tagCONFIG_MYPLANDATA& record) const {
    const std::vector<std::string> names = checkedPositions();
    std::string list;
    for (const std::string& name : names)
        list.append(name).append(",");
    if (!list.empty())
        list.pop_back();
    record.positionNames = list;
    record.positionsChecked = static_cast<std::int32_t>(names.size());
    if (entries_->currentWidget() == field_) {
        const quorstat::PasteOptions options = field_->pasteOptions();
        record.pasteInverted = options.inverted ? 1 : 0;
        record.addEqualDigits = options.addEqualDigits ? 1 : 0;
        record.addRuns = options.addRuns ? 1 : 0;
    }
}

// ---- positions ----------------------------------------------------------------------------

std::vector<std::string> NumberEntryPanel::checkedPositions() const {
    std::vector<std::string> names;
    for (const QCheckBox* box : positionBoxes_) {
        if (box->isVisibleTo(this) && box->isChecked())
            names.push_back(box->text().toStdString());
    }
    return names;
}

bool NumberEntryPanel::betByLocation() const {
    return betByLocation_->isVisibleTo(this) && betByLocation_->isChecked();
}

void NumberEntryPanel::positionClicked(QCheckBox* box) {
    if (!singlePosition_->isChecked() || !box->isChecked())
        return;
    for (QCheckBox* other : positionBoxes_) {
        if (other != box)
            other->setChecked(false);
    }
}

void NumberEntryPanel::positionModeChosen(bool single) {
    app_.settings.myPlanUseSinglePos = single;
    app_.SaveSettings();
}

void NumberEntryPanel::betByLocationToggled(bool checked) {
    app_.settings.myPlanBetByLocation = checked;
    app_.SaveSettings();
}

// ---- numbers ------------------------------------------------------------------------------

void NumberEntryPanel::showNumbers(const std::string& numbers) {
    if (entries_->currentWidget() == field_)
        field_->showNumbers(numbers);
}

void NumberEntryPanel::takeNumbers(std::string_view text) {
    if (entries_->currentWidget() != field_)
        return;
    std::string numbers(text);
    quorstat::NormalizeBetNumbers(numbers, counters_, app_.play);
    field_->showNumbers(numbers);
}

void NumberEntryPanel::clearNumbers() {
    showNumbers({});
}

bool NumberEntryPanel::busy() const {
    return field_->busy();
}

void NumberEntryPanel::recount() {
    std::string betNumbers;
    int count = 0;
    if (entries_->currentWidget() == freePicker_) {
        betNumbers = freePicker_->selectionString();
        count = freePicker_->betCount();
    } else if (entries_->currentWidget() == positionalPicker_) {
        betNumbers = positionalPicker_->selectionString();
        count = positionalPicker_->betCount();
    } else {
        betNumbers = field_->numbers();
        count = quorstat::tallyBetNumbers(betNumbers, counters_, app_.play);
    }
    showCount(count);
    emit betNumbersChanged(betNumbers);
}

void NumberEntryPanel::refreshCount() {
    showCount(count_);
}

void NumberEntryPanel::showCount(int count) {
    count_ = count;
    const int issue = app_.play.currentIssue;
    countLabel_->setText(issue == 0 ? QStringLiteral("号码：【%1注】").arg(count)
                                    : QStringLiteral("%1期 号码：【%2注】").arg(issue).arg(count));
}

void NumberEntryPanel::showProgress(int percent) {
    progress_->setRange(0, percent < 0 ? 0 : 100);
    progress_->setValue(std::max(percent, 0));
}

// ---- sharing ------------------------------------------------------------------------------

void NumberEntryPanel::setShared(bool shared) {
    share_->setChecked(shared);
}

void NumberEntryPanel::shareClicked(bool checked) {
    if (!checked &&
        Prompter::instance().message(
            this,
            QStringLiteral(
                "分享是一种美德，取消分享后别人将无法查看到您的方案，确定要取消分享吗？"),
            Prompter::defaultCaption(), Prompter::Icon::Question,
            QMessageBox::Yes | QMessageBox::No, QMessageBox::No) != QMessageBox::Yes) {
        share_->setChecked(true);
        checked = true;
    }
    app_.shareFlag = checked;
    app_.queue(app_.catalogue().shareSet(quorstat::CurrentScope(app_), checked));
}
