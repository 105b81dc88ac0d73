#include "settings/tools_setting_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include "core/quorstat_app.h"
#include "ui/dialog_buttons.h"
#include "ui/dialog_look.h"
#include "ui/log_font.h"
#include "ui/plan_text_look.h"
#include "ui/prompter.h"
#include "ui/qt_text.h"

namespace {

using quorstat::SettingsForm;
namespace sound_id = quorstat::sound_id;

struct CheckBinding {
    bool SettingsForm::*field;
    int id;
    const char* caption;
};

constexpr CheckBinding kChecks[] = {
    {&SettingsForm::closeWndToSystemTray, 3224, "关闭窗口到系统托盘"},
    {&SettingsForm::minimizeToSystemTray, 3222, "最小化到系统托盘"},
    {&SettingsForm::exitPrompt, 3227, "退出时提示"},
    {&SettingsForm::unregPrompt, 3230, "注销时提示"},
    {&SettingsForm::lotteryShowAnimation, 3247, "显示动画"},
    {&SettingsForm::lotteryPopupTrayTip, 3322, "弹出托盘提示"},
    {&SettingsForm::lotteryPlaySound, 3328, "播放声音"},
    {&SettingsForm::lotteryPreTip, 3345, "开奖前"},
    {&SettingsForm::planStatBeforePasteClrEdit, 3198, "粘贴前清空投注区"},
    {&SettingsForm::planStatAfterSubmitClrEdit, 3203, "提交后清空投注区"},
    {&SettingsForm::planEndPlaySound, 3349, "播放中挂语音"},
    {&SettingsForm::shareIsNewPlaySound, 3293, "有新方案时播放提示音"},
    {&SettingsForm::shareEndPlaySound, 3352, "播放中挂语音"},
    {&SettingsForm::planTextBlankLine, 3233, "方案文本增加空行"},
};

struct NumberBinding {
    std::string SettingsForm::*field;
    int id;
};

constexpr NumberBinding kNumbers[] = {
    {&SettingsForm::lotteryPreTipSeconds, 3347},
    {&SettingsForm::planPlanListPrePageCount, 3154},
    {&SettingsForm::shareUserListPrePageCount, 3161},
    {&SettingsForm::sharePlanListPrePageCount, 3159},
};

struct SoundBinding {
    std::string SettingsForm::*field;
    int id;
    int builtInSound;  // what "Default" plays as a preview
};

constexpr SoundBinding kSounds[] = {
    {&SettingsForm::lotteryNowSoundFile, 3341, sound_id::kDrawSound},
    {&SettingsForm::lotteryPreSoundFile, 3353, sound_id::kChime},
    {&SettingsForm::shareFileNewPlaySound, 3355, sound_id::kChime},
};

constexpr int kGoverningChecks[] = {3328, 3345, 3293};

// Tab goes down the left column, then down the right one, as the controls are read.
constexpr const char* kTabOrder[] = {
    "check3224",  "check3222",  "check3227",  "check3230", "check3247", "check3322", "check3328",
    "radio3333",  "radio3337",  "combo3341",  "check3345", "edit3347",  "combo3353", "check3233",
    "button3239", "button3241", "button3243", "check3198", "check3203", "edit3154",  "check3349",
    "edit3161",   "edit3159",   "check3293",  "combo3355", "check3352"};

QString controlName(const char* kind, int id) {
    return QString::fromLatin1(kind) + QString::number(id);
}

QLabel* label(const char* text, QWidget* parent) {
    return new QLabel(QString::fromUtf8(text), parent);
}

// A page count: caption, edit and the range it takes.
void addCountRow(QGridLayout* grid, int row, const char* caption, QLineEdit* edit,
                 const char* range) {
    QWidget* group = grid->parentWidget();
    grid->addWidget(label(caption, group), row, 0);
    grid->addWidget(edit, row, 1);
    grid->addWidget(label(range, group), row, 2);
}

}  // namespace

CToolsSettingDialog::CToolsSettingDialog(CQuorstatApp& app, QWidget* parent)
    : QDialog(parent), app_(app), soundFiles_(quorstat::ListSoundFiles(app.paths.soundDir)) {
    setWindowTitle(QStringLiteral("系统设置"));
    applyDialogLook(this);
    buildControls();
    setForm(quorstat::FormFromSettings(app_.settings));
}

void CToolsSettingDialog::buildControls() {
    for (const CheckBinding& binding : kChecks) {
        auto* box = new QCheckBox(QString::fromUtf8(binding.caption), this);
        box->setObjectName(controlName("check", binding.id));
        checks_[binding.id] = box;
    }
    // Whole numbers only; what is typed is read leniently all the same.
    const auto* digits =
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,9}")), this);
    for (const NumberBinding& binding : kNumbers) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(controlName("edit", binding.id));
        edit->setValidator(digits);
        edit->setFixedWidth(56);
        numbers_[binding.id] = edit;
    }
    for (const SoundBinding& binding : kSounds) {
        auto* combo = new QComboBox(this);
        combo->setObjectName(controlName("combo", binding.id));
        combo->addItem(QStringLiteral("Default"));
        for (const std::string& file : soundFiles_)
            combo->addItem(toQString(file));
        combo->setMinimumWidth(130);
        connect(combo, &QComboBox::activated, this,
                [this, id = binding.id, builtIn = binding.builtInSound] { preview(id, builtIn); });
        sounds_[binding.id] = combo;
    }
    for (const int id : kGoverningChecks)
        connect(check(id), &QCheckBox::toggled, this, &CToolsSettingDialog::applyEnableRules);

    auto* left = new QVBoxLayout;
    left->addWidget(buildTrayGroup());
    left->addWidget(buildDrawGroup());
    left->addWidget(buildPlanTextGroup());
    auto* right = new QVBoxLayout;
    right->addWidget(buildOwnPlanGroup());
    right->addWidget(buildSharedPlanGroup());
    right->addStretch(1);
    auto* columns = new QHBoxLayout;
    columns->addLayout(left, 1);
    columns->addLayout(right, 1);

    QDialogButtonBox* buttons = makeOkCancelButtons(this);
    QPushButton* defaults = buttons->addButton(QStringLiteral("默认"), QDialogButtonBox::ResetRole);
    defaults->setObjectName(QStringLiteral("buttonDefault"));
    connect(defaults, &QPushButton::clicked, this,
            [this] { setForm(quorstat::DefaultSettingsForm(app_.windowsXp)); });

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addWidget(buttons);
    orderTabs();
}

void CToolsSettingDialog::orderTabs() {
    QWidget* previous = nullptr;
    for (const char* name : kTabOrder) {
        auto* next = findChild<QWidget*>(QString::fromLatin1(name));
        if (previous)
            setTabOrder(previous, next);
        previous = next;
    }
}

QGroupBox* CToolsSettingDialog::buildTrayGroup() {
    auto* group = new QGroupBox(QStringLiteral("系统托盘"), this);
    auto* grid = new QGridLayout(group);
    grid->addWidget(check(3224), 0, 0);
    grid->addWidget(check(3222), 0, 1);
    grid->addWidget(check(3227), 1, 0);
    grid->addWidget(check(3230), 1, 1);
    return group;
}

QGroupBox* CToolsSettingDialog::buildDrawGroup() {
    auto* group = new QGroupBox(QStringLiteral("开奖提醒"), this);
    spokenDigits_ = new QRadioButton(QStringLiteral("语音报号"), group);
    spokenDigits_->setObjectName(QStringLiteral("radio3333"));
    chime_ = new QRadioButton(QStringLiteral("提示音"), group);
    chime_->setObjectName(QStringLiteral("radio3337"));
    connect(chime_, &QRadioButton::toggled, this, &CToolsSettingDialog::applyEnableRules);

    auto* grid = new QGridLayout(group);
    grid->addWidget(check(3247), 0, 0);
    grid->addWidget(check(3322), 0, 1, 1, 2);
    grid->addWidget(check(3328), 1, 0);
    auto* kinds = new QHBoxLayout;
    kinds->addWidget(spokenDigits_);
    kinds->addWidget(chime_);
    grid->addLayout(kinds, 1, 1);
    grid->addWidget(sound(3341), 1, 2);
    grid->addWidget(check(3345), 2, 0);
    auto* seconds = new QHBoxLayout;
    seconds->addWidget(number(3347));
    seconds->addWidget(label("秒，播放提示音", group));
    grid->addLayout(seconds, 2, 1);
    grid->addWidget(sound(3353), 2, 2);
    grid->setColumnStretch(2, 1);
    return group;
}

QGroupBox* CToolsSettingDialog::buildOwnPlanGroup() {
    auto* group = new QGroupBox(QStringLiteral("我的方案"), this);
    auto* grid = new QGridLayout(group);
    grid->addWidget(check(3198), 0, 0);
    grid->addWidget(check(3203), 0, 1, 1, 2);
    addCountRow(grid, 1, "方案列表每页方案数：", number(3154), "(0表示不分页)");
    grid->addWidget(check(3349), 2, 0);
    grid->setColumnStretch(2, 1);
    return group;
}

QGroupBox* CToolsSettingDialog::buildSharedPlanGroup() {
    auto* group = new QGroupBox(QStringLiteral("网络方案"), this);
    auto* grid = new QGridLayout(group);
    addCountRow(grid, 0, "用户列表每页用户数：", number(3161), "(范围：5 - 100)");
    addCountRow(grid, 1, "方案列表每页方案数：", number(3159), "(0表示不分页)");
    grid->addWidget(check(3293), 2, 0);
    grid->addWidget(sound(3355), 2, 1, 1, 2);
    grid->addWidget(check(3352), 3, 0);
    grid->setColumnStretch(2, 1);
    return group;
}

QGroupBox* CToolsSettingDialog::buildPlanTextGroup() {
    auto* group = new QGroupBox(QStringLiteral("方案文本"), this);
    const auto makeButton = [group](const char* text, int id) {
        auto* button = new QPushButton(QString::fromUtf8(text), group);
        button->setObjectName(controlName("button", id));
        return button;
    };
    QPushButton* font = makeButton("字体", 3239);
    QPushButton* fore = makeButton("文本色", 3241);
    QPushButton* back = makeButton("背景色", 3243);
    connect(font, &QPushButton::clicked, this, &CToolsSettingDialog::chooseFont);
    connect(fore, &QPushButton::clicked, this, [this] { chooseColour(fore_); });
    connect(back, &QPushButton::clicked, this, [this] { chooseColour(back_); });

    sample_ = new QLabel(QStringLiteral("方案文本字体颜色"), group);
    sample_->setObjectName(QStringLiteral("static3237"));
    sample_->setAlignment(Qt::AlignCenter);
    sample_->setMinimumHeight(64);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(check(3233));
    buttons->addStretch(1);
    for (QPushButton* button : {font, fore, back})
        buttons->addWidget(button);
    auto* layout = new QVBoxLayout(group);
    layout->addLayout(buttons);
    layout->addWidget(sample_);
    return group;
}

SettingsForm CToolsSettingDialog::form() const {
    SettingsForm form;
    for (const CheckBinding& binding : kChecks)
        form.*binding.field = check(binding.id)->isChecked();
    form.lotteryPlaySoundType = spokenDigits_->isChecked() ? 0 : 1;
    for (const NumberBinding& binding : kNumbers)
        form.*binding.field = number(binding.id)->text().toStdString();
    for (const SoundBinding& binding : kSounds)
        form.*binding.field = soundChosenIn(sound(binding.id));
    form.planTextFont = font_;
    form.planTextFore = fore_;
    form.planTextBack = back_;
    return form;
}

void CToolsSettingDialog::setForm(const SettingsForm& form) {
    for (const CheckBinding& binding : kChecks)
        check(binding.id)->setChecked(form.*binding.field);
    (form.lotteryPlaySoundType == 0 ? spokenDigits_ : chime_)->setChecked(true);
    for (const NumberBinding& binding : kNumbers)
        number(binding.id)->setText(toQString(form.*binding.field));
    for (const SoundBinding& binding : kSounds)
        sound(binding.id)
            ->setCurrentIndex(quorstat::SoundChoiceIndex(soundFiles_, form.*binding.field));
    font_ = form.planTextFont;
    fore_ = form.planTextFore;
    back_ = form.planTextBack;
    updateSample();
    applyEnableRules();
}

void CToolsSettingDialog::applyEnableRules() {
    const quorstat::SettingsEnabled enabled = quorstat::EnabledControls(form());
    spokenDigits_->setEnabled(enabled.soundTypeRadios);
    chime_->setEnabled(enabled.soundTypeRadios);
    sound(3341)->setEnabled(enabled.drawSoundChoice);
    number(3347)->setEnabled(enabled.preTipControls);
    sound(3353)->setEnabled(enabled.preTipControls);
    sound(3355)->setEnabled(enabled.newPlanSoundChoice);
}

std::string CToolsSettingDialog::soundChosenIn(const QComboBox* combo) const {
    const int index = combo->currentIndex();
    if (index < 1 || index > static_cast<int>(soundFiles_.size()))
        return {};
    return soundFiles_[static_cast<std::size_t>(index - 1)];
}

void CToolsSettingDialog::preview(int comboId, int builtInSound) {
    if (!app_.soundPlayer)
        return;
    app_.soundPlayer->queue(
        quorstat::SoundPreview(app_.paths.soundDir, soundChosenIn(sound(comboId)), builtInSound));
}

void CToolsSettingDialog::chooseFont() {
    if (const auto chosen = Prompter::instance().chooseFont(this, FontFromLogFont(font_))) {
        font_ = LogFontFromFont(*chosen, font_);
        updateSample();
    }
}

void CToolsSettingDialog::chooseColour(unsigned& colour) {
    if (const auto chosen = Prompter::instance().chooseColor(this, FromColorRef(colour))) {
        colour = ToColorRef(*chosen);
        updateSample();
    }
}

void CToolsSettingDialog::updateSample() {
    PlanTextLook{FontFromLogFont(font_), FromColorRef(fore_), FromColorRef(back_)}.applyTo(
        *sample_);
}

void CToolsSettingDialog::accept() {
    if (const auto refused = quorstat::AcceptSettingsForm(form(), app_.settings)) {
        Prompter::instance().message(this, toQString(*refused));
        number(3347)->setFocus();
        number(3347)->selectAll();
        return;
    }
    QDialog::accept();
}
