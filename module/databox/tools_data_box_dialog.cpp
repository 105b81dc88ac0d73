#include "databox/tools_data_box_dialog.h"

#include <QCheckBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QScreen>
#include <QTabWidget>
#include <QVBoxLayout>

#include "core/quorstat_app.h"
#include "databox/tools_data_box_sub_dialog.h"
#include "net/request_types.h"
#include "ui/dialog_look.h"

namespace {

namespace Type = quorstat::RequestType;
using quorstat::BoxKind;

}  // namespace

CToolsDataBoxDialog::CToolsDataBoxDialog(CQuorstatApp& app, QWidget* parent)
    : QWidget(parent, Qt::Window), app_(app) {
    setObjectName(QStringLiteral("dataBoxWindow"));
    setWindowTitle(QStringLiteral("数据箱（快捷键：Ctrl + Q 显示/隐藏）"));
    applyDialogLook(this);

    tabs_ = new QTabWidget(this);
    tabs_->setObjectName(QStringLiteral("boxTabs"));
    using Mode = CToolsDataBoxSubDialog::Mode;
    bigBase_ = new CToolsDataBoxSubDialog(app_, BoxKind::bigBase, clipboard_, Mode::main, tabs_);
    plan_ = new CToolsDataBoxSubDialog(app_, BoxKind::plan, clipboard_, Mode::main, tabs_);
    tabs_->addTab(bigBase_, QStringLiteral("大底盒"));
    tabs_->addTab(plan_, QStringLiteral("方案盒"));
    for (CToolsDataBoxSubDialog* box : {bigBase_, plan_})
        connect(box, &CToolsDataBoxSubDialog::submitRequested, this, &CToolsDataBoxDialog::submit);

    auto* settings = new QHBoxLayout;
    settings->addStretch();
    settings->addWidget(addSetting(QStringLiteral("转入时显示数据箱"),
                                   app_.settings.dataBoxShowAfterInto, "showAfterInto"));
    settings->addWidget(addSetting(QStringLiteral("提交后隐藏数据箱"),
                                   app_.settings.dataBoxHideAfterSubmit, "hideAfterSubmit"));
    settings->addWidget(addSetting(QStringLiteral("提交后转至我的方案"),
                                   app_.settings.dataBoxToMyPlanAfterSubmit,
                                   "toMyPlanAfterSubmit"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_, 1);
    layout->addLayout(settings);

    placeWindow();
}

QCheckBox* CToolsDataBoxDialog::addSetting(const QString& text, bool& setting, const char* name) {
    auto* check = new QCheckBox(text, this);
    check->setObjectName(QString::fromLatin1(name));
    check->setChecked(setting);
    connect(check, &QCheckBox::toggled, this, [this, &setting](bool on) {
        setting = on;
        app_.SaveSettings();
    });
    return check;
}

void CToolsDataBoxDialog::placeWindow() {
    const quorstat::Settings& settings = app_.settings;
    if (settings.dataBoxWndCX < 1 || settings.dataBoxWndCY < 1) {
        resize(kDefaultSize);
        if (const QScreen* screen = QGuiApplication::primaryScreen()) {
            QRect frame(QPoint(), kDefaultSize);
            frame.moveCenter(screen->availableGeometry().center());
            move(frame.topLeft());
        }
    } else {
        resize(settings.dataBoxWndCX, settings.dataBoxWndCY);
        move(settings.dataBoxPosX, settings.dataBoxPosY);
    }
    placed_ = true;
    storeGeometry();
}

void CToolsDataBoxDialog::storeGeometry() {
    if (!placed_)
        return;
    app_.settings.dataBoxPosX = x();
    app_.settings.dataBoxPosY = y();
    app_.settings.dataBoxWndCX = width();
    app_.settings.dataBoxWndCY = height();
}

void CToolsDataBoxDialog::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    storeGeometry();
}

void CToolsDataBoxDialog::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    storeGeometry();
}

CToolsDataBoxSubDialog* CToolsDataBoxDialog::box(BoxKind kind) const {
    return kind == BoxKind::bigBase ? bigBase_ : plan_;
}

void CToolsDataBoxDialog::ReceiveUsers(const std::vector<quorstat::BoxUser>& users, BoxKind kind,
                                       bool newGroup) {
    tabs_->setCurrentWidget(box(kind));
    box(kind)->receiveUsers(users, newGroup);
    if (app_.settings.dataBoxShowAfterInto)
        show();
}

void CToolsDataBoxDialog::SwitchLotteryPlay() {
    bigBase_->switchLotteryPlay();
    plan_->switchLotteryPlay();
}

void CToolsDataBoxDialog::OnPlanContentReply(int type, const std::string& reply) {
    box(type == Type::PlanContentToBigBase ? BoxKind::bigBase : BoxKind::plan)
        ->onPlanContentReply(type, reply);
}

void CToolsDataBoxDialog::OnPlanStatusReply(int type, const std::string& reply) {
    box(type == Type::PlanStateByPlan ? BoxKind::bigBase : BoxKind::plan)->onStatusReply(reply);
}

void CToolsDataBoxDialog::AddToBigBase(const quorstat::tagPLANITEM& plan) {
    bigBase_->onKnownPlan(plan);
}

void CToolsDataBoxDialog::KnownPlanFailed() {
    bigBase_->onKnownPlanFailed();
}

void CToolsDataBoxDialog::ClearBoxes() {
    SwitchLotteryPlay();
}

void CToolsDataBoxDialog::OnNewDraw() {
    bigBase_->refillVerifyIssues();
    plan_->refillVerifyIssues();
}

void CToolsDataBoxDialog::submit(const QString& numbers) {
    emit submitted(numbers);
    if (app_.settings.dataBoxHideAfterSubmit)
        hide();
}
