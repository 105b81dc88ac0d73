#include "console/sub_control_dialog.h"

#include <QDateTime>
#include <QLinearGradient>
#include <QPainter>
#include <QRandomGenerator>
#include <QTextBrowser>
#include <QTime>
#include <QTimer>
#include <chrono>
#include <cmath>

#include "console/current_scope.h"
#include "console/draw_notice.h"
#include "console/issue_clock.h"
#include "console/number_ball.h"
#include "core/quorstat_app.h"
#include "core/text_codec.h"
#include "net/date_time.h"
#include "net/server_endpoint.h"
#include "plan/lottery_table.h"
#include "ui/qt_text.h"

namespace {

constexpr int kSecondMs = 1000;
constexpr int kFirstPollMs = 100;
constexpr int kTableRetryMs = 60000;

constexpr int kBallCount = 5;
constexpr int kAnimationFrames = 25;
constexpr int kFirstSettledFrame = 8;
constexpr int kFramesBetweenBalls = 4;

constexpr int kBandHeight = 106;
constexpr int kPadding = 18;

const QColor kTopColour(0x23, 0x37, 0x66);
const QColor kBottomColour(0x14, 0x20, 0x40);
const QColor kCaptionColour(0xa8, 0xb8, 0xd8);
const QColor kTextColour(Qt::white);
const QColor kCountdownColour(0xff, 0xc9, 0x40);
const QColor kSeparatorColour(255, 255, 255, 40);

QFont sized(const QFont& base, int pixelSize, bool bold = false) {
    QFont font = base;
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

// Digits read best in a Latin face; the Chinese face stays as the fallback.
QFont digitFont(int pixelSize, bool bold) {
    QFont font = sized(CQuorstatApp::instance().fonts.yaHei18, pixelSize, bold);
    font.setFamilies(QStringList{QStringLiteral("Arial"), QStringLiteral("Liberation Sans")} +
                     font.families());
    return font;
}

void drawText(QPainter& painter, const QRect& box, const QFont& font, const QColor& colour,
              const QString& text, int flags = Qt::AlignLeft | Qt::AlignVCenter) {
    painter.setFont(font);
    painter.setPen(colour);
    painter.drawText(box, flags, text);
}

QString issueCaption(int issue, const QString& what) {
    return issue == 0 ? what : QStringLiteral("第 %1 期 %2").arg(issue).arg(what);
}

// The digits of a draw, one apart: "30519" and "3,0,5,1,9" both give "3 0 5 1 9".
QString spacedDigits(const std::string& numbers) {
    QString text;
    for (const char c : numbers) {
        if (c >= '0' && c <= '9')
            text += QString(QLatin1Char(c)) + QLatin1Char(' ');
    }
    return text.trimmed();
}

}  // namespace

struct CSubControlDialog::Layout {
    QRect lottery;
    QRect draw;
    QRect countdown;
    QRect history;
    QRect banner;
};

CSubControlDialog::CSubControlDialog(CQuorstatApp& app, QWidget* parent)
    : QWidget(parent), app_(app) {
    setObjectName(QStringLiteral("controlPanel"));
    addTimer(kCountdownTimer, &CSubControlDialog::countdownStep);
    addTimer(kClockTimer, &CSubControlDialog::clockStep);
    addTimer(kDrawTableTimer, &CSubControlDialog::drawTableStep);
    addTimer(kDrawNumbersTimer, &CSubControlDialog::drawNumbersStep);
    addTimer(kAnimationTimer, &CSubControlDialog::animationStep);
    addTimer(kBannerTimer, &CSubControlDialog::bannerStep);

    restartTimer(kDrawNumbersTimer, kFirstPollMs);
}

// Made when first shown, after the login: a text browser is costly to make, and the login dialog
// should not wait for one.
QTextBrowser* CSubControlDialog::banner() {
    if (banner_)
        return banner_;
    banner_ = new QTextBrowser(this);
    banner_->setObjectName(QStringLiteral("banner"));
    banner_->setFrameShape(QFrame::NoFrame);
    banner_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    banner_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    banner_->setOpenExternalLinks(true);
    banner_->setStyleSheet(
        QStringLiteral("QTextBrowser { background: #f6f1e6; border-radius: 4px; }"));
    banner_->document()->setDefaultStyleSheet(
        QStringLiteral("body { color: #1d2b4f; font-size: 11px; } td { padding: 0 4px; }"));
    banner_->document()->setDocumentMargin(2);
    banner_->setGeometry(layout().banner);
    return banner_;
}

void CSubControlDialog::addTimer(int timerId, void (CSubControlDialog::*step)()) {
    auto* timer = new QTimer(this);
    timer->setObjectName(QStringLiteral("timer%1").arg(timerId));
    connect(timer, &QTimer::timeout, this, step);
    timers_[timerId] = timer;
}

void CSubControlDialog::restartTimer(int timerId, int intervalMs) {
    timers_.at(timerId)->start(intervalMs);
}

void CSubControlDialog::stopTimer(int timerId) {
    timers_.at(timerId)->stop();
}

bool CSubControlDialog::isTimerActive(int timerId) const {
    return timers_.at(timerId)->isActive();
}

void CSubControlDialog::RunStep(int timerId) {
    switch (timerId) {
        case kDrawTableTimer:
            drawTableStep();
            break;
        case kBannerTimer:
            bannerStep();
            break;
        default:
            break;
    }
}

void CSubControlDialog::Recompute() {
    using Result = quorstat::DrawState::Recompute;
    auto& draw = app_.draw;
    const Result result = draw.recompute();
    if (result == Result::Waiting)
        return;
    app_.play.currentIssue = draw.currentIssue;
    app_.play.issuesPerDay = draw.issuesPerDay();
    restartTimer(kCountdownTimer, kSecondMs);
    if (draw.lastDrawIssue == 0 || result == Result::NewIssue)
        restartTimer(kDrawNumbersTimer, kFirstPollMs);
    if (result == Result::NewIssue) {
        app_.queue(app_.catalogue().drawHistory(quorstat::LotteryName(app_.lotteryId)));
        emit issueChanged();
    }
    update();
}

void CSubControlDialog::OnServerTime() {
    restartTimer(kClockTimer, kSecondMs);
    Recompute();
    update();
}

void CSubControlDialog::OnDrawTable() {
    stopTimer(kDrawTableTimer);
    Recompute();
    update();
}

void CSubControlDialog::OnLotteryChanged() {
    if (!app_.draw.useStoredTable(app_.lotteryId)) {
        app_.draw.remainingSeconds = 0;
        drawTableStep();
    }
    Recompute();
    update();
}

void CSubControlDialog::OnNewDraw(bool announce) {
    Recompute();
    if (announce && app_.settings.lotteryShowAnimation) {
        animationFrame_ = 0;
        animationStep();
        restartTimer(kAnimationTimer, kAnimationStepMs);
    }
    update();
}

void CSubControlDialog::StopTableRefresh() {
    stopTimer(kDrawTableTimer);
}

void CSubControlDialog::countdownStep() {
    const auto tick = app_.draw.countdownTick();
    if (tick.closing) {
        if (tick.drawMoment)
            restartTimer(kDrawNumbersTimer, kFirstPollMs);
        Recompute();
    }
    const auto& settings = app_.settings;
    const auto warnAt =
        settings.lotteryPreTip ? std::optional(settings.lotteryPreTipSeconds) : std::nullopt;
    if (app_.draw.preDrawWarningDue(warnAt) && app_.soundPlayer)
        app_.soundPlayer->queue(quorstat::PreDrawSoundItem(settings, app_.paths.soundDir));
    update();
}

void CSubControlDialog::clockStep() {
    if (app_.draw.serverTimeKnown())
        ++app_.draw.serverTime;
    update(layout().lottery);
}

void CSubControlDialog::drawTableStep() {
    stopTimer(kDrawTableTimer);
    if (!app_.draw.serverTimeKnown()) {
        restartTimer(kDrawTableTimer, kSecondMs);
        return;
    }
    if (app_.draw.tableIsFresh())
        return;
    app_.queue(app_.catalogue().drawTimes(quorstat::LotteryName(app_.lotteryId)));
    restartTimer(kDrawTableTimer, kTableRetryMs);
}

void CSubControlDialog::drawNumbersStep() {
    stopTimer(kDrawNumbersTimer);
    const auto issue = app_.draw.issueToPoll();
    if (!issue)
        return;
    app_.queue(app_.catalogue().drawNumbers(quorstat::LotteryName(app_.lotteryId), *issue));
    restartTimer(kDrawNumbersTimer, app_.intervals.betNum);
}

void CSubControlDialog::animationStep() {
    if (animationFrame_ < 0 || ++animationFrame_ >= kAnimationFrames) {
        animationFrame_ = -1;
        stopTimer(kAnimationTimer);
    } else {
        rollingDigits_.clear();
        for (int i = 0; i < kBallCount; ++i)
            rollingDigits_ += QChar('0' + QRandomGenerator::global()->bounded(10));
    }
    update(layout().draw);
}

void CSubControlDialog::bannerStep() {
    stopTimer(kBannerTimer);
    const QTime now = QTime::currentTime();
    const int hhmm = now.hour() * 100 + now.minute();
    const bool evening = (hhmm >= 1800 && hhmm <= 1899) || (hhmm >= 2015 && hhmm <= 2099);
    const std::string page = (evening ? "html/BetImageOne.html?_t=" : "html/BetImage.html?_t=") +
                             std::to_string(static_cast<std::uint32_t>(
                                 std::chrono::duration_cast<std::chrono::milliseconds>(
                                     std::chrono::steady_clock::now().time_since_epoch())
                                     .count()));
    const std::string url = quorstat::RequestUrl(app_.serverHost, app_.serverPort, "/", page);
    banner()->show();
    // A fetch still under way after a whole period is left to finish; the next period tries again.
    bannerFetcher_.fetch(url, [this](std::optional<std::string> fetched) {
        if (fetched)
            QMetaObject::invokeMethod(
                this, [this, ansi = std::move(*fetched)] { showBannerPage(ansi); },
                Qt::QueuedConnection);
    });
    restartTimer(kBannerTimer, app_.intervals.topHtml);
}

void CSubControlDialog::showBannerPage(const std::string& ansiPage) {
    banner()->setHtml(QString::fromStdString(quorstat::FromAnsi(ansiPage)));
}

CSubControlDialog::Layout CSubControlDialog::layout() const {
    // Extra width beyond the 1024-pixel window is shared out evenly.
    const int extra = std::max(0, width() - 1024) / 4;
    Layout parts;
    parts.lottery = QRect(0, 0, 200 + extra, kBandHeight);
    parts.draw = QRect(parts.lottery.right() + 1, 0, 290 + extra, kBandHeight);
    parts.countdown = QRect(parts.draw.right() + 1, 0, 230 + extra, kBandHeight);
    parts.history = QRect(parts.countdown.right() + 1, 0,
                          std::max(0, width() - parts.countdown.right() - 1), kBandHeight);
    parts.banner = QRect(8, kBandHeight, width() - 16, height() - kBandHeight - 4);
    return parts;
}

void CSubControlDialog::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (banner_)
        banner_->setGeometry(layout().banner);
}

void CSubControlDialog::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QLinearGradient background(0, 0, 0, height());
    background.setColorAt(0, kTopColour);
    background.setColorAt(1, kBottomColour);
    painter.fillRect(rect(), background);

    const Layout parts = layout();
    paintLottery(painter, parts.lottery);
    paintDraw(painter, parts.draw);
    paintCountdown(painter, parts.countdown);
    paintHistory(painter, parts.history);

    painter.setPen(kSeparatorColour);
    for (const QRect& block : {parts.draw, parts.countdown, parts.history})
        painter.drawLine(block.left(), 16, block.left(), kBandHeight - 12);
}

void CSubControlDialog::paintLottery(QPainter& painter, const QRect& area) const {
    const auto& fonts = app_.fonts;
    const QRect inner = area.adjusted(kPadding, 12, -8, 0);
    drawText(painter, QRect(inner.left(), inner.top(), inner.width(), 36),
             sized(fonts.yaHei25, 26, true), kTextColour,
             toQString(quorstat::LotteryName(app_.lotteryId)));
    drawText(painter, QRect(inner.left(), inner.top() + 46, inner.width(), 18),
             sized(fonts.yaHei18, 13), kCaptionColour, QStringLiteral("服务器时间"));
    const bool known = app_.draw.serverTimeKnown();
    drawText(painter, QRect(inner.left(), inner.top() + 66, inner.width(), 22),
             known ? digitFont(16, false) : sized(fonts.yaHei18, 14),
             known ? kTextColour : kCaptionColour,
             known ? QString::fromStdString(quorstat::FormatDateTime(app_.draw.serverTime))
                   : QStringLiteral("正在获取服务器时间"));
}

QString CSubControlDialog::ballDigits() const {
    QString digits = spacedDigits(app_.draw.lastDrawNumbers).remove(QLatin1Char(' '));
    if (!animating())
        return digits;
    for (int i = 0; i < digits.size() && i < rollingDigits_.size(); ++i) {
        if (animationFrame_ < kFirstSettledFrame + i * kFramesBetweenBalls)
            digits[i] = rollingDigits_[i];
    }
    return digits;
}

void CSubControlDialog::paintDraw(QPainter& painter, const QRect& area) const {
    const auto& draw = app_.draw;
    const QRect inner = area.adjusted(kPadding, 12, -kPadding, 0);
    drawText(painter, QRect(inner.left(), inner.top(), inner.width(), 20),
             sized(app_.fonts.yaHei18, 13), kCaptionColour,
             issueCaption(draw.lastDrawIssue, QStringLiteral("开奖号码")));

    const QString digits = ballDigits();
    const int count = digits.isEmpty() ? kBallCount : static_cast<int>(digits.size());
    constexpr qreal kBall = 44;
    const qreal gap =
        count > 1 ? std::min<qreal>(10, (inner.width() - count * kBall) / (count - 1)) : 0;
    const qreal size = std::min<qreal>(kBall, (inner.width() - gap * (count - 1)) / count);
    for (int i = 0; i < count; ++i) {
        const QRectF box(inner.left() + i * (size + gap), inner.top() + 34, size, size);
        if (digits.isEmpty()) {
            NumberBall::paint(painter, box, QStringLiteral("?"), NumberBall::Style::Waiting);
            continue;
        }
        const bool rolling =
            animating() && animationFrame_ < kFirstSettledFrame + i * kFramesBetweenBalls;
        const QRectF bounced =
            rolling ? box.translated(0, -4 * std::abs(std::sin(animationFrame_ * 0.9 + i))) : box;
        NumberBall::paint(painter, bounced, digits.mid(i, 1),
                          rolling ? NumberBall::Style::Waiting : NumberBall::Style::Drawn);
    }
}

void CSubControlDialog::paintCountdown(QPainter& painter, const QRect& area) const {
    const auto& draw = app_.draw;
    const QRect inner = area.adjusted(kPadding, 12, -8, 0);
    drawText(painter, QRect(inner.left(), inner.top(), inner.width(), 20),
             sized(app_.fonts.yaHei18, 13), kCaptionColour,
             issueCaption(draw.currentIssue, QStringLiteral("投注剩余时间")));
    const QRect big(inner.left(), inner.top() + 24, inner.width(), 50);
    if (draw.closedIssue == 0)
        drawText(painter, big, sized(app_.fonts.yaHei25, 22), kCaptionColour,
                 QStringLiteral("--:--"));
    else if (draw.bettingOpen())
        drawText(painter, big, digitFont(44, true), kCountdownColour,
                 QString::fromStdString(quorstat::FormatCountdown(draw.remainingSeconds)));
    else
        drawText(painter, big, sized(app_.fonts.yaHei25, 30, true), kCountdownColour,
                 QStringLiteral("等待开奖"));
    if (draw.closedIssue > draw.lastDrawIssue)
        drawText(painter, QRect(inner.left(), inner.top() + 74, inner.width(), 18),
                 sized(app_.fonts.yaHei18, 12), kCaptionColour,
                 issueCaption(draw.closedIssue, QStringLiteral("正在开奖")));
}

void CSubControlDialog::paintHistory(QPainter& painter, const QRect& area) const {
    const auto& draw = app_.draw;
    const QRect inner = area.adjusted(kPadding, 8, -kPadding, -4);
    const int issueWidth = std::min(inner.width() / 2, 120);
    const QFont caption = sized(app_.fonts.yaHei18, 13);
    drawText(painter, QRect(inner.left(), inner.top(), issueWidth, 20), caption, kCaptionColour,
             QStringLiteral("期号"));
    drawText(painter, QRect(inner.left() + issueWidth, inner.top(), inner.width() - issueWidth, 20),
             caption, kCaptionColour, QStringLiteral("奖号"));
    painter.setPen(kSeparatorColour);
    painter.drawLine(inner.left(), inner.top() + 21, inner.right(), inner.top() + 21);

    constexpr int kRowHeight = 18;
    const int rows = std::min<int>(static_cast<int>(draw.historyIssues.size()), 4);
    for (int row = 0; row < rows; ++row) {
        const int top = inner.top() + 23 + row * kRowHeight;
        drawText(painter, QRect(inner.left(), top, issueWidth, kRowHeight), digitFont(13, false),
                 kTextColour, QString::number(draw.historyIssues[row]));
        drawText(painter,
                 QRect(inner.left() + issueWidth, top, inner.width() - issueWidth, kRowHeight),
                 digitFont(14, true), kCountdownColour, spacedDigits(draw.historyNumbers[row]));
    }
    if (rows == 0)
        drawText(painter, QRect(inner.left(), inner.top() + 23, inner.width(), kRowHeight),
                 sized(app_.fonts.yaHei18, 13), kCaptionColour, QStringLiteral("暂无开奖记录"));
}
