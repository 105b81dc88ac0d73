#include "templates/template_form_widget.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "ui/qt_text.h"

namespace {

using quorstat::tagTEMPLATEITEM;

struct Switch {
    bool tagTEMPLATEITEM::*flag;
    const char* caption;
    const char* name;
};

constexpr std::array<Switch, CTemplateFormWidget::kSwitchCount> kSwitches{{
    {&tagTEMPLATEITEM::DispCode, "显示开奖号码", "checkDispCode"},
    {&tagTEMPLATEITEM::DispIssueNum, "显示中奖期数", "checkDispIssueNum"},
    {&tagTEMPLATEITEM::DispPosition, "显示中奖位置", "checkDispPosition"},
    {&tagTEMPLATEITEM::DispMultiple, "显示投注倍数", "checkDispMultiple"},
    {&tagTEMPLATEITEM::DispProfit, "显示本期盈利", "checkDispProfit"},
    {&tagTEMPLATEITEM::DispProfitCollect, "显示盈利汇总", "checkDispProfitCollect"},
    {&tagTEMPLATEITEM::DispSuccessRatio, "显示成功率", "checkDispSuccessRatio"},
    {&tagTEMPLATEITEM::DispProjectDown, "方案显示在下", "checkDispProjectDown"},
    {&tagTEMPLATEITEM::DispHit, "显示最大中挂", "checkDispHit"},
    {&tagTEMPLATEITEM::DispHitNow, "显示最近中挂", "checkDispHitNow"},
}};

QLineEdit* makeEdit(const QString& name, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    return edit;
}

std::string utf8(const QLineEdit* edit) {
    return edit->text().toStdString();
}

}  // namespace

CTemplateFormWidget::CTemplateFormWidget(bool withName, QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("templateForm"));
    buildFields(withName);
}

void CTemplateFormWidget::buildFields(bool withName) {
    name_ = makeEdit(QStringLiteral("edit3127"), this);
    signature_ = makeEdit(QStringLiteral("edit3128"), this);
    useUserName_ = new QCheckBox(QStringLiteral("使用用户名"), this);
    useUserName_->setObjectName(QStringLiteral("check3221"));
    win_ = makeEdit(QStringLiteral("edit3130"), this);
    loss_ = makeEdit(QStringLiteral("edit3132"), this);
    wait_ = makeEdit(QStringLiteral("edit3133"), this);
    remark_ = makeEdit(QStringLiteral("edit3135"), this);
    connect(useUserName_, &QCheckBox::toggled, this, &CTemplateFormWidget::onUseUserName);

    auto* texts = new QGridLayout;
    int row = 0;
    const auto addRow = [&](const QString& label, QWidget* field, QWidget* extra = nullptr) {
        texts->addWidget(new QLabel(label, this), row, 0);
        texts->addWidget(field, row, 1, 1, extra ? 1 : 2);
        if (extra)
            texts->addWidget(extra, row, 2);
        ++row;
    };
    if (withName)
        addRow(QStringLiteral("模板名称"), name_);
    else
        name_->hide();
    addRow(QStringLiteral("签名"), signature_, useUserName_);
    addRow(QStringLiteral("中"), win_);
    addRow(QStringLiteral("挂"), loss_);
    addRow(QStringLiteral("等待"), wait_);
    addRow(QStringLiteral("备注"), remark_);
    texts->setColumnStretch(1, 1);

    auto* switchBox = new QGroupBox(QStringLiteral("显示内容"), this);
    auto* switchGrid = new QGridLayout(switchBox);
    for (std::size_t i = 0; i < kSwitches.size(); ++i) {
        switches_[i] = new QCheckBox(QString::fromUtf8(kSwitches[i].caption), switchBox);
        switches_[i]->setObjectName(QString::fromUtf8(kSwitches[i].name));
        switchGrid->addWidget(switches_[i], static_cast<int>(i / 2), static_cast<int>(i % 2));
    }

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(texts);
    layout->addWidget(switchBox);
}

void CTemplateFormWidget::onUseUserName(bool checked) {
    if (checked)
        signature_->clear();
    signature_->setEnabled(!checked);
}

void CTemplateFormWidget::showTemplate(const tagTEMPLATEITEM& item) {
    const bool userName = item.SignName == quorstat::kUserNameSign;
    name_->setText(toQString(item.TempletName));
    useUserName_->setChecked(userName);
    signature_->setText(userName ? QString() : toQString(item.SignName));
    win_->setText(toQString(item.Win));
    loss_->setText(toQString(item.Loss));
    wait_->setText(toQString(item.Wait));
    remark_->setText(toQString(item.Remark));
    for (std::size_t i = 0; i < kSwitches.size(); ++i)
        switches_[i]->setChecked(item.*kSwitches[i].flag);
}

quorstat::TemplateForm CTemplateFormWidget::form() const {
    quorstat::TemplateForm form;
    tagTEMPLATEITEM& item = form.item;
    item.TempletName = utf8(name_);
    item.SignName = utf8(signature_);
    item.Win = utf8(win_);
    item.Loss = utf8(loss_);
    item.Wait = utf8(wait_);
    item.Remark = utf8(remark_);
    for (std::size_t i = 0; i < kSwitches.size(); ++i)
        item.*kSwitches[i].flag = switches_[i]->isChecked();
    form.useUserName = useUserName_->isChecked();
    return form;
}
