#include "console/sub_status_dialog.h"

#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QTimer>

#include "console/current_scope.h"
#include "core/quorstat_app.h"
#include "net/server_endpoint.h"
#include "platform/shell.h"
#include "ui/prompter.h"

namespace {

struct LinkItem {
    const char* text;
    const char* page;
};

constexpr LinkItem kLinks[] = {
    {"Velomar在线首页", "NrvURL.asp?TYPE=Home"}, {"开奖信息", "NrvURL.asp?TYPE=Lottery"},
    {"Velomar吧", "NrvURL.asp?TYPE=Bar"},        {"资源下载", "NrvURL.asp?TYPE=Download"},
    {"彩票学院", "NrvURL.asp?TYPE=College"},     {"语音聊彩室", "NrvURL.asp?TYPE=VoiceChat"},
    {"Velomar在线论坛", "NrvURL.asp?TYPE=Bbs"},
};

QLabel* makeLabel(QWidget* parent, const QString& name) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    return label;
}

QFrame* makeSeparator(QWidget* parent) {
    auto* line = new QFrame(parent);
    line->setFrameShape(QFrame::VLine);
    line->setObjectName(QStringLiteral("statusSeparator"));
    return line;
}

}  // namespace

CSubStatusDialog::CSubStatusDialog(CQuorstatApp& app, QWidget* parent)
    : QWidget(parent), app_(app) {
    setObjectName(QStringLiteral("statusPanel"));
    setAttribute(Qt::WA_StyledBackground);
    setFont(app.fonts.yaHei18);
    setStyleSheet(QStringLiteral(
        "#statusPanel { background: #e9dfc8; border-top: 1px solid #cbbd9c; }"
        "#statusPanel QLabel { color: #1d2b5c; font-size: 13px; }"
        "#statusSeparator { color: #cbbd9c; }"
        "#statusPanel QPushButton { color: #1d2b5c; font-size: 13px; border: 1px solid transparent;"
        "  border-radius: 3px; padding: 2px 10px; background: transparent; }"
        "#statusPanel QPushButton:hover { background: #f6f0e2; border-color: #cbbd9c; }"
        "#statusPanel QPushButton:disabled { color: #a99f88; }"
        "#accountButton { font-weight: bold; }"));

    account_ = new QPushButton(this);
    account_->setObjectName(QStringLiteral("accountButton"));
    account_->setIcon(
        QIcon(QString::fromStdString((app.paths.imageDir / "image_head.png").string())));
    account_->setIconSize(QSize(18, 18));
    onlineTime_ = makeLabel(this, QStringLiteral("onlineTime"));
    onlineUsers_ = makeLabel(this, QStringLiteral("onlineUsers"));
    follows_ = makeLabel(this, QStringLiteral("followCounts"));
    dataBox_ = new QPushButton(QStringLiteral("显示/隐藏数据箱"), this);
    dataBox_->setObjectName(QStringLiteral("dataBoxButton"));
    links_ = new QPushButton(QStringLiteral("Velomar在线 ▴"), this);
    links_->setObjectName(QStringLiteral("linkButton"));
    linkMenu_ = new QMenu(this);
    linkMenu_->setObjectName(QStringLiteral("linkMenu"));

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(6, 1, 6, 0);
    row->setSpacing(10);
    row->addWidget(account_);
    for (QLabel* label : {onlineTime_, onlineUsers_, follows_}) {
        row->addWidget(makeSeparator(this));
        row->addWidget(label);
    }
    row->addStretch(1);
    row->addWidget(dataBox_);
    row->addWidget(links_);

    connect(account_, &QPushButton::clicked, this, &CSubStatusDialog::accountMenuRequested);
    connect(dataBox_, &QPushButton::clicked, this, &CSubStatusDialog::toggleDataBox);
    connect(links_, &QPushButton::clicked, this, [this] {
        rebuildLinkMenu();
        linkMenu_->popup(links_->mapToGlobal(QPoint(0, 0)) -
                         QPoint(0, linkMenu_->sizeHint().height()));
    });

    serverTimeTimer_ = new QTimer(this);
    serverTimeTimer_->setObjectName(QStringLiteral("timer%1").arg(kServerTimeTimer));
    connect(serverTimeTimer_, &QTimer::timeout, this, &CSubStatusDialog::serverTimeStep);
    followCountTimer_ = new QTimer(this);
    followCountTimer_->setObjectName(QStringLiteral("timer%1").arg(kFollowCountTimer));
    connect(followCountTimer_, &QTimer::timeout, this, &CSubStatusDialog::followCountStep);

    SetOnline();
    SetFollowCounts(0, 0);
}

QTimer* CSubStatusDialog::timer(int timerId) const {
    return timerId == kServerTimeTimer ? serverTimeTimer_ : followCountTimer_;
}

void CSubStatusDialog::OnLogin() {
    account_->setText(QString::fromStdString(app_.userName) + QStringLiteral(" ▾"));
    SetFollowCounts(0, 0);
    serverTimeStep();
    followCountTimer_->start(app_.intervals.fansCount);
}

void CSubStatusDialog::SetOnline() {
    onlineTime_->setText(
        QStringLiteral("在线时间：%1小时").arg(app_.draw.onlineSeconds / 3600.0, 0, 'f', 2));
    onlineUsers_->setText(QStringLiteral("在线总人数：%1").arg(app_.draw.onlineUsers));
}

void CSubStatusDialog::SetFollowCounts(int follows, int fans) {
    follows_->setText(QStringLiteral("关注：%1 粉丝：%2").arg(follows).arg(fans));
}

void CSubStatusDialog::StopRefresh() {
    serverTimeTimer_->stop();
    followCountTimer_->stop();
    SetFollowCounts(0, 0);
}

void CSubStatusDialog::RunStep(int timerId) {
    if (timerId == kServerTimeTimer)
        serverTimeStep();
    else if (timerId == kFollowCountTimer)
        followCountStep();
}

void CSubStatusDialog::setDataBoxAvailable(bool available) {
    dataBox_->setEnabled(available);
}

void CSubStatusDialog::serverTimeStep() {
    if (app_.logServerTimeExchange)
        app_.AppendLog("定时器到期，关掉定时器准备调用更新服务器时间接口");
    serverTimeTimer_->stop();
    app_.queue(app_.catalogue().serverTime());
    serverTimeTimer_->start(app_.intervals.serverTime);
    if (app_.logServerTimeExchange)
        app_.AppendLog("已经执行更新服务器时间和在线时间接口的调用，重启定时器，下次调用是 " +
                       std::to_string(app_.intervals.serverTime / 1000) + " 秒之后。");
}

void CSubStatusDialog::followCountStep() {
    app_.queue(app_.catalogue().followCounts(quorstat::CurrentScope(app_)));
}

void CSubStatusDialog::toggleDataBox() {
    app_.toggleDataBox();
}

void CSubStatusDialog::openManagerItem(bool ready, const QString& notReadyText,
                                       void (CSubStatusDialog::*open)()) {
    if (!ready) {
        Prompter::instance().message(this, notReadyText);
        return;
    }
    emit(this->*open)();
}

void CSubStatusDialog::rebuildLinkMenu() {
    linkMenu_->clear();
    if (app_.adminMenus) {
        QMenu* manage = linkMenu_->addMenu(QStringLiteral("管理"));
        manage->addAction(QStringLiteral("QQ群发筛选设置"), this,
                          &CSubStatusDialog::windowFilterEditorRequested);
        manage->addAction(QStringLiteral("系统模板设置"), this, [this] {
            openManagerItem(!app_.templates.items.empty(),
                            QStringLiteral("正在获取模板，请稍后再试"),
                            &CSubStatusDialog::systemTemplateEditorRequested);
        });
        manage->addAction(QStringLiteral("系统时间间隔设置"), this, [this] {
            openManagerItem(!app_.intervalStamp.empty(),
                            QStringLiteral("正在获取服务器配置，请稍后再试"),
                            &CSubStatusDialog::intervalEditorRequested);
        });
        linkMenu_->addSeparator();
    }
    for (const LinkItem& link : kLinks) {
        linkMenu_->addAction(QString::fromUtf8(link.text), this, [this, page = link.page] {
            Shell::instance().openUrl(QString::fromStdString(
                quorstat::RequestUrl(app_.serverHost, app_.serverPort, "/", page)));
        });
    }
}
