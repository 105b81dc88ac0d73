#include "share/tools_info_dialog.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr const char* kTitle = "排行榜规则说明";
constexpr const char* kRules[] = {
    "一、积分规则",
    "1、总积分 = 投注积分 + 奖励积分",
    "2、投注积分 =（当日投注期数 * 当日成功率 * 当日利润率）/（注数系数的总和）",
    "3、当日投注期数 = 当日方案投注总期数，与投注方案数无关，投注同一期号的多个方案算投注1期",
    "4、当日成功率 =（当日中出方案总数 / 当日已开奖的方案总数）* 100",
    "5、当日利润率 =（当日方案利润总额 / 当日方案投注总额）* 100",
    "6、注数系数 =  中挂期数 * 方案注数占总注数的百分比 * 10",
    "7、中挂期数 = 每个方案中或挂时的期数；如果是第2期中那么中挂期数为2",
    "8、奖励积分：每投注1期奖励0.5分；投注同一期号的多个方案算投注1期",
    "9、当日没有投注或符合积分规则的有效投注方案数为0的用户，将被扣除2个奖励积分",
    "二、统计规则",
    "1、排行榜只统计大底注数不超过总注数80%、（单注金额/2）*（最大倍数 * 注数整数 ）<= 5 * "
    "总注数的",
    "      用户方案，这里的注数整数举例说三星635注算600,四星6580注算6500注。",
    "2、当日所有已开奖的投注方案都纳入统计，不管是否已清空方案；没开奖的方案不纳入统计",
    "3、每天凌晨2点自动统计前一天的方案",
};

}  // namespace

CToolsInfoDialog::CToolsInfoDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("rankingRules"));
    setWindowTitle(QString::fromUtf8(kTitle));
    auto* title = new QLabel(QString::fromUtf8(kTitle), this);
    QFont bold = title->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.3);
    title->setFont(bold);
    title->setAlignment(Qt::AlignCenter);
    auto* rules = new QLabel(rulesText(), this);
    rules->setObjectName(QStringLiteral("rulesText"));
    rules->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* close = new QPushButton(QStringLiteral("关闭"), this);
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(18, 14, 18, 14);
    layout->setSpacing(10);
    layout->addWidget(title);
    layout->addWidget(rules);
    layout->addWidget(close, 0, Qt::AlignRight);
}

QString CToolsInfoDialog::rulesText() {
    QStringList lines;
    for (const char* line : kRules)
        lines << QString::fromUtf8(line);
    return lines.join(QLatin1Char('\n'));
}
