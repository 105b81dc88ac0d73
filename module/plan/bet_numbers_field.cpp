#include "plan/bet_numbers_field.h"

#include <QCheckBox>
#include <QClipboard>
#include <QGridLayout>
#include <QGuiApplication>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/settings.h"
#include "plan/bet_numbers_edit.h"
#include "plan/number_classes.h"
#include "ui/call_later.h"
#include "ui/prompter.h"
#include "ui/qt_text.h"

namespace {

// A slice of a long text takes some 20 ms to go into the field on this machine's class.
constexpr qsizetype kSliceChars = 32 * 1024;

// Lines are laid out for at least this width, so a field not yet shown gets usable lines.
constexpr int kSmallestLineWidth = 240;

QString equalDigitsCaption(int starCount) {
    switch (starCount) {
        case 2:
            return QStringLiteral("添加对子");
        case 4:
            return QStringLiteral("添加4同号");
        case 5:
            return QStringLiteral("添加5同号");
        default:
            return QStringLiteral("添加豹子");
    }
}

}  // namespace

BetNumbersField::BetNumbersField(const quorstat::Settings& settings, QWidget* parent)
    : QWidget(parent), settings_(settings) {
    setObjectName(QStringLiteral("betNumbersField"));
    normaliser_.setMaxThreadCount(1);
    edit_ = new BetNumbersEdit(this);
    copy_ = addButton(QStringLiteral("复制"), QStringLiteral("copyNumbers"));
    auto* paste = addButton(QStringLiteral("粘贴"), QStringLiteral("pasteNumbers"));
    clear_ = addButton(QStringLiteral("清空"), QStringLiteral("clearNumbers"));
    groupThree_ = addButton(QStringLiteral("组三"), QStringLiteral("groupThree"));
    equalDigits_ = addButton(QStringLiteral("豹子"), QStringLiteral("equalDigits"));
    inverted_ = new QCheckBox(QStringLiteral("粘贴取反"), this);
    inverted_->setObjectName(QStringLiteral("pasteInverted"));
    addEqualDigits_ = new QCheckBox(this);
    addEqualDigits_->setObjectName(QStringLiteral("addEqualDigits"));
    addRuns_ = new QCheckBox(this);
    addRuns_->setObjectName(QStringLiteral("addRuns"));

    auto* buttons = new QVBoxLayout;
    buttons->setSpacing(3);
    for (QPushButton* button : {copy_, paste, clear_, groupThree_, equalDigits_})
        buttons->addWidget(button);
    buttons->addStretch(1);
    auto* options = new QHBoxLayout;
    for (QCheckBox* option : {inverted_, addEqualDigits_, addRuns_})
        options->addWidget(option);
    options->addStretch(1);
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(4);
    grid->addWidget(edit_, 0, 0);
    grid->addLayout(buttons, 0, 1);
    grid->addLayout(options, 1, 0, 1, 2);
    grid->setRowStretch(0, 1);

    connect(edit_, &BetNumbersEdit::pasteRequested, this, &BetNumbersField::paste);
    connect(edit_, &BetNumbersEdit::textChanged, this, &BetNumbersField::textEdited);
    connect(copy_, &QPushButton::clicked, this, &BetNumbersField::copyNumbers);
    connect(paste, &QPushButton::clicked, this,
            [this] { this->paste(QGuiApplication::clipboard()->text()); });
    connect(clear_, &QPushButton::clicked, this, &BetNumbersField::clearNumbers);
    connect(groupThree_, &QPushButton::clicked, this,
            [this] { putInFront(quorstat::groupThreeNumbers()); });
    connect(equalDigits_, &QPushButton::clicked, this,
            [this] { putInFront(quorstat::equalDigitNumbers(play_.starCount)); });
    updateButtons();
}

BetNumbersField::~BetNumbersField() {
    normaliser_.waitForDone();
}

QPushButton* BetNumbersField::addButton(const QString& caption, const QString& name) {
    auto* button = new QPushButton(caption, this);
    button->setObjectName(name);
    button->setFixedWidth(56);
    return button;
}

void BetNumbersField::setPlay(const quorstat::PlayState& play) {
    play_ = play;
    addEqualDigits_->setText(equalDigitsCaption(play.starCount));
    addRuns_->setText(play.starCount == 2 ? QStringLiteral("添加连子")
                                          : QStringLiteral("添加顺子"));
    const bool threeStars = play.playId == 1302 || play.playId == 1306;
    groupThree_->setVisible(threeStars);
    equalDigits_->setVisible(threeStars);
}

quorstat::PasteOptions BetNumbersField::pasteOptions() const {
    return {inverted_->isChecked(), addEqualDigits_->isChecked(), addRuns_->isChecked()};
}

void BetNumbersField::setPasteOptions(const quorstat::PasteOptions& options) {
    inverted_->setChecked(options.inverted);
    addEqualDigits_->setChecked(options.addEqualDigits);
    addRuns_->setChecked(options.addRuns);
}

std::string BetNumbersField::numbers() const {
    return quorstat::NumbersFromLines(edit_->toPlainText().toStdString());
}

bool BetNumbersField::isEmpty() const {
    return edit_->document()->isEmpty();
}

void BetNumbersField::textEdited() {
    updateButtons();
    if (!filling_)
        emit numbersChanged();
}

void BetNumbersField::updateButtons() {
    copy_->setEnabled(!busy_ && !isEmpty());
    clear_->setEnabled(!busy_ && !isEmpty());
}

void BetNumbersField::copyNumbers() {
    QGuiApplication::clipboard()->setText(toQString(numbers()));
}

void BetNumbersField::clearNumbers() {
    showNumbers({});
}

void BetNumbersField::putInFront(const std::string& front) {
    showNumbers(quorstat::NumbersInFront(front, numbers(), play_));
}

// ---- paste --------------------------------------------------------------------------------

void BetNumbersField::paste(const QString& text) {
    if (text.isEmpty() || busy_)
        return;
    const int job = ++job_;
    setBusy(true);
    emit progress(-1);
    normaliser_.start([this, job, text, options = pasteOptions(), play = play_] {
        std::string numbers = quorstat::PastedNumbers(text.toStdString(), options, play);
        QMetaObject::invokeMethod(
            this, [this, job, numbers = std::move(numbers)] { pasted(job, numbers); },
            Qt::QueuedConnection);
    });
}

void BetNumbersField::pasted(int job, const std::string& numbers) {
    if (job != job_)
        return;
    if (numbers.empty()) {
        setBusy(false);
        Prompter::instance().prompt(this, QStringLiteral("没有粘贴到有效的投注号码"));
        return;
    }
    QTextCursor cursor = edit_->textCursor();
    if (settings_.planStatBeforePasteClrEdit)
        cursor.select(QTextCursor::Document);
    fill(cursor, toQString(quorstat::NumbersInLines(numbers, numbersPerLine())));
}

void BetNumbersField::stop() {
    ++job_;
    endFilling();
    setBusy(false);
}

// ---- filling ------------------------------------------------------------------------------

int BetNumbersField::numbersPerLine() const {
    const int numberWidth = edit_->fontMetrics().horizontalAdvance(
        QString(play_.starCount, QLatin1Char('0')) + QLatin1Char(' '));
    const int lineWidth = std::max(edit_->viewport()->width(), kSmallestLineWidth);
    return std::max(1, (lineWidth - 8) / std::max(numberWidth, 1));
}

void BetNumbersField::showNumbers(const std::string& numbers) {
    ++job_;
    QTextCursor cursor(edit_->document());
    cursor.select(QTextCursor::Document);
    fill(cursor, toQString(quorstat::NumbersInLines(numbers, numbersPerLine())));
}

void BetNumbersField::fill(QTextCursor cursor, QString text) {
    if (text.size() <= kSliceChars) {
        endFilling();
        cursor.insertText(text);
        edit_->setTextCursor(cursor);
        setBusy(false);
        return;
    }
    // A long text goes in without undo steps, a slice each turn of the event loop.
    filling_ = true;
    setBusy(true);
    edit_->document()->setUndoRedoEnabled(false);
    cursor.removeSelectedText();
    fillCursor_ = cursor;
    fillText_ = std::move(text);
    filled_ = 0;
    fillSlice(job_);
}

void BetNumbersField::fillSlice(int job) {
    if (job != job_)
        return;
    qsizetype end = std::min(fillText_.size(), filled_ + kSliceChars);
    if (const qsizetype lineEnd = fillText_.indexOf(QLatin1Char('\n'), end); lineEnd >= 0)
        end = lineEnd + 1;
    else
        end = fillText_.size();
    fillCursor_.insertText(fillText_.mid(filled_, end - filled_));
    filled_ = end;
    if (filled_ < fillText_.size()) {
        emit progress(static_cast<int>(filled_ * 100 / fillText_.size()));
        CallLater(this, 0, [this, job] { fillSlice(job); });
        return;
    }
    edit_->setTextCursor(fillCursor_);
    endFilling();
    setBusy(false);
    emit numbersChanged();
}

void BetNumbersField::endFilling() {
    if (!filling_)
        return;
    filling_ = false;
    fillText_.clear();
    edit_->document()->setUndoRedoEnabled(true);
}

void BetNumbersField::setBusy(bool busy) {
    if (busy == busy_)
        return;
    busy_ = busy;
    for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        child->setEnabled(!busy);
    updateButtons();
    emit busyChanged(busy);
}
