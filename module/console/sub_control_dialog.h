#pragma once

#include <QString>
#include <QWidget>
#include <map>
#include <string>

#include "console/page_fetcher.h"

class CQuorstatApp;
class QTextBrowser;
class QTimer;

// The lottery clock across the top of the central window: server time, issues, the betting
// countdown, the latest numbers as balls, the recent draws and the web banner. Its timers keep
// the draw data fresh.
class CSubControlDialog : public QWidget {
    Q_OBJECT
public:
    enum TimerId {
        kCountdownTimer = 1,
        kClockTimer = 2,
        kDrawTableTimer = 4,
        kDrawNumbersTimer = 5,
        kAnimationTimer = 12,
        kBannerTimer = 15,
    };
    static constexpr int kAnimationStepMs = 60;

    explicit CSubControlDialog(CQuorstatApp& app, QWidget* parent = nullptr);

    // Issues and countdown from the server time and the draw-time table.
    void Recompute();
    void OnServerTime();
    void OnDrawTable();
    void OnLotteryChanged();
    // New numbers are in; `announce` plays the draw animation when the settings ask for it.
    void OnNewDraw(bool announce);
    void RunStep(int timerId);
    void StopTableRefresh();

    bool isTimerActive(int timerId) const;
    bool animating() const { return animationFrame_ >= 0; }
    QTextBrowser* banner();

signals:
    // The issue open for betting moved on.
    void issueChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    struct Layout;
    Layout layout() const;

    void addTimer(int timerId, void (CSubControlDialog::*step)());
    void restartTimer(int timerId, int intervalMs);
    void stopTimer(int timerId);

    void countdownStep();
    void clockStep();
    void drawTableStep();
    void drawNumbersStep();
    void animationStep();
    void bannerStep();
    void showBannerPage(const std::string& ansiPage);

    void paintLottery(QPainter& painter, const QRect& area) const;
    void paintDraw(QPainter& painter, const QRect& area) const;
    void paintCountdown(QPainter& painter, const QRect& area) const;
    void paintHistory(QPainter& painter, const QRect& area) const;
    QString ballDigits() const;

    CQuorstatApp& app_;
    std::map<int, QTimer*> timers_;
    QTextBrowser* banner_ = nullptr;
    int animationFrame_ = -1;
    QString rollingDigits_;
    // Last, so its thread has stopped before anything it reports to goes.
    quorstat::PageFetcher bannerFetcher_;
};
