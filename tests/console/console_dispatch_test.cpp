// The central window's reply dispatch against a scripted service on a loopback port: what each
// reply does, and which requests follow it, in which order.
#include <QClipboard>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>
#include <mutex>

#include "console/console_dialog.h"
#include "console/group_send_event.h"
#include "console/login_controller.h"
#include "console/sub_control_dialog.h"
#include "console/sub_status_dialog.h"
#include "console/tools_login_dialog.h"
#include "console_test_support.h"
#include "core/text_codec.h"
#include "net/date_time.h"
#include "net/request_types.h"
#include "recording_shell.h"
#include "recording_views.h"
#include "scripted_prompter.h"
#include "scripted_service.h"

QST_API void QST_Init(char*, char*);
QST_API std::intptr_t QST_Run(void*, const char*, const char*, int);
QST_API void QST_Exit();

namespace {

namespace Type = quorstat::RequestType;

QAction* actionNamed(const QMenu* menu, const QString& text) {
    for (QAction* action : menu->actions()) {
        if (action->text() == text)
            return action;
    }
    return nullptr;
}
using Exchange = quorstat::ScriptedService::Exchange;

constexpr int kLottery = 1010;
// A type the service is never asked with otherwise, and what marks such a request.
constexpr int kUnusedRequestType = 11;
constexpr const char* kMarkerBody = "marker";
constexpr int kPlay = 1302;

// A request as the service saw it: its page and the kind of question asked there.
QString keyOf(const Exchange& exchange) {
    const std::string body = quorstat::FromAnsi(exchange.body);
    QString key = QString::fromStdString(exchange.path.substr(exchange.path.rfind('/') + 1));
    if (key == QLatin1String("BetLotteryData.asp"))
        key += body.find("IssueNum=") != std::string::npos ? "#history" : "#latest";
    if (key == QLatin1String("BetSetup.asp"))
        key += body.find("Name=QQWndFilter") != std::string::npos ? "#filter" : "#intervals";
    return key;
}

// Takes the group sends posted to the console before the console runs them.
class GroupSendSpy : public QObject {
public:
    explicit GroupSendSpy(QObject& target) : target_(target) { target_.installEventFilter(this); }
    ~GroupSendSpy() override { target_.removeEventFilter(this); }

    QList<std::pair<QString, bool>> sends;  // text, silent

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != GroupSendEvent::kType)
            return false;
        const auto* send = static_cast<GroupSendEvent*>(event);
        sends.append({send->text, send->silent});
        return true;
    }

private:
    QObject& target_;
};

}  // namespace

class ConsoleDispatchTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void loginQueuesItsRequestsInOrderAndTheFirstDrawShowsTheWindow();
    void aNewDrawIsAnnouncedOnceWithBalloonAndSpokenDigits();
    void drawRepliesOfAnotherLotteryAreDropped();
    void theCountdownWarnsOnceAndTheDrawMomentAsksForTheNumbers();
    void templateListVariants();
    void aNoticeOnTheTemplateListIsShownAndTheListAskedAgainLater();
    void settingsRecordsAndCounts();
    void choosingTheCurrentLotteryAgainSendsNothing();
    void switchingTheLotteryResetsAndReloads();
    void staleSelectionRepliesAreDroppedOrAskedAgain();
    void planRepliesReachThePlanPanel();
    void planDetailRepliesNeedExactlyOnePlan();
    void rankingAndDataBoxReplies();
    void logoutStopsTheRefresh();
    void aSessionEndedElsewhereIsReportedOnce();
    void theLinkMenuOffersManagerItemsToManagersOnly();

private:
    CQuorstatApp& app() { return CQuorstatApp::instance(); }
    CConsoleDialog& console() { return *app().console; }
    void setReply(const QString& key, const std::string& reply);
    void deliver(int type, const std::string& reply, std::intptr_t context1 = kLottery,
                 std::intptr_t context2 = kPlay);
    void logIn();
    // Logs in and lets the draw data arrive, so the window is up.
    void logInAndShowWindow();
    // Requests the service saw from `first` on, markers left out.
    QStringList sentSince(std::size_t first) const;
    // Queues a marker and waits until the service saw it: all queued before has been sent then.
    void waitUntilQueuedRequestsAreSent();
    std::size_t sentCount() const { return service_->exchanges().size(); }

    QTemporaryDir dir_;
    std::unique_ptr<quorstat::ScriptedService> service_;
    std::mutex repliesMutex_;
    std::map<QString, std::string> replies_;
    std::unique_ptr<BalloonHost> host_;
    std::unique_ptr<ScriptedPrompter> prompter_;
    RecordingPlanPanel plans_;
    RecordingSharePanel share_;
    RecordingDataBox dataBox_;
};

void ConsoleDispatchTest::initTestCase() {
    service_ = std::make_unique<quorstat::ScriptedService>([this](const Exchange& exchange) {
        std::lock_guard lock(repliesMutex_);
        const auto reply = replies_.find(keyOf(exchange));
        return quorstat::ToAnsi(reply == replies_.end() ? "0|没有这个页面" : reply->second);
    });
    qputenv("QUORSTAT_DATA_DIR", dir_.filePath(QStringLiteral("Data")).toUtf8());
    qputenv("QUORSTAT_SERVER", "127.0.0.1:" + QByteArray::number(service_->port()));
    char title[kQstTextBufferSize];
    char version[kQstTextBufferSize];
    QST_Init(title, version);
}

void ConsoleDispatchTest::init() {
    {
        std::lock_guard lock(repliesMutex_);
        replies_ = {
            {"BetFlashTime.asp", "1|5400|27|2013-05-01 09:15:00"},
            {"BetFlashLotteryTime.asp", "1|09:10:00#09:20:00#09:30:00|2013-05-01 09:00:00"},
            {"BetLotteryData.asp#latest", "1|130501001&30519|2013-05-01 09:10:00"},
            {"BetLotteryData.asp#history",
             "1|130501001&30519#130430003&11111#130430002&22222#130430001&33333#130429003&"
             "44444#|2013-05-01 09:15:00"},
            {"BetPlanShare.asp", "1|True"},
            {"BetAttentionUser.asp", "1|Atten=3|Fans=5"},
            {"BetTempletList.asp", "1|0|x|"},
            {"BetSetup.asp#filter", "1|SetUp=群A##群B#|ModifyTime=2013-04-30 10:00:00|Allow=0|"},
            {"BetSetup.asp#intervals",
             "1|SetUp=RefServerTime=30#RefBetNum=10#RefUserList=35#RefPlanList=15#RefFansCount=60#"
             "RefTopHtml=10#RefOwnPlanAfterBetNum=5#|ModifyTime=2013-04-30 11:00:00|"},
            {"BetGetUserInfoID.asp", "1|42"},
        };
    }
    host_ = std::make_unique<BalloonHost>();
    prompter_ = std::make_unique<ScriptedPrompter>();
    plans_.calls.clear();
    share_.calls.clear();
    dataBox_.calls.clear();
    app().lotteryId = kLottery;
    app().playId = kPlay;
    app().settings.lotteryPopupTrayTip = true;
    app().settings.lotteryPlaySound = true;
    app().settings.lotteryPlaySoundType = 0;
    app().settings.lotteryShowAnimation = true;
    app().generalSendConfig.sendAfterSubmit = 0;
    QVERIFY(QST_Run(host_.get(), nullptr, nullptr, 0) != 0);
    app().console->buildPages();
    console().attachPlanPanel(new QWidget, &plans_);
    console().attachSharePanel(new QWidget, &share_);
    console().attachDataBox(new QWidget, &dataBox_);
    QTRY_VERIFY(console().loginController()->loginDialog() != nullptr);
}

void ConsoleDispatchTest::cleanup() {
    QST_Exit();
    host_.reset();
    prompter_.reset();
    app().sessionToken.clear();
    app().draw = quorstat::DrawState();
}

void ConsoleDispatchTest::setReply(const QString& key, const std::string& reply) {
    std::lock_guard lock(repliesMutex_);
    replies_[key] = reply;
}

void ConsoleDispatchTest::deliver(int type, const std::string& reply, std::intptr_t context1,
                                  std::intptr_t context2) {
    quorstat::ServiceRequest request;
    request.type = type;
    request.reply = reply;
    request.context1 = context1;
    request.context2 = context2;
    console().OnRequestDone(request);
}

void ConsoleDispatchTest::logIn() {
    app().ResetSession();
    app().userName = "tester";
    deliver(Type::Login, "1|T0KEN|7|PGpMsgTail=1&DM=1", 0, 0);
    QVERIFY(app().isLoggedIn());
}

void ConsoleDispatchTest::logInAndShowWindow() {
    logIn();
    QTRY_VERIFY(console().loginController()->loginDialog() == nullptr);
    QTRY_COMPARE(app().draw.historyIssues.size(), std::size_t(4));
}

QStringList ConsoleDispatchTest::sentSince(std::size_t first) const {
    QStringList keys;
    const auto exchanges = service_->exchanges();
    for (std::size_t i = first; i < exchanges.size(); ++i) {
        if (exchanges[i].body != kMarkerBody)
            keys << keyOf(exchanges[i]);
    }
    return keys;
}

void ConsoleDispatchTest::waitUntilQueuedRequestsAreSent() {
    quorstat::ServiceRequest marker;
    marker.type = kUnusedRequestType;
    marker.body = kMarkerBody;
    const std::size_t before = sentCount();
    QVERIFY(app().queue(marker));
    QTRY_VERIFY(service_->exchanges().size() > before &&
                service_->exchanges().back().body == kMarkerBody);
}

void ConsoleDispatchTest::loginQueuesItsRequestsInOrderAndTheFirstDrawShowsTheWindow() {
    QVERIFY(host_->isHidden());
    const std::size_t first = sentCount();
    logIn();
    QVERIFY(plans_.calls.contains(QStringLiteral("Reset")));
    QVERIFY(share_.calls.contains(QStringLiteral("Reset")));
    QTRY_VERIFY(sentCount() >= first + 7);
    QCOMPARE(sentSince(first).mid(0, 7),
             (QStringList{"BetFlashTime.asp", "BetPlanShare.asp", "BetAttentionUser.asp",
                          "BetTempletList.asp", "BetSetup.asp#filter", "BetSetup.asp#intervals",
                          "BetGetUserInfoID.asp"}));

    // The table follows once the server time is known, then history and numbers.
    QTRY_VERIFY(console().loginController()->loginDialog() == nullptr);
    const QStringList later = sentSince(first + 7);
    QVERIFY(later.indexOf("BetFlashLotteryTime.asp") < later.indexOf("BetLotteryData.asp#latest"));
    QVERIFY(later.contains("BetLotteryData.asp#history"));
    QVERIFY(host_->isVisible());
    QVERIFY(host_->isMaximized());
    QVERIFY(console().isEnabled());
    QVERIFY(console().isVisible());
    QVERIFY(app().draw.firstDrawSeen);
    QCOMPARE(app().draw.closedIssue, 130501001);
    QCOMPARE(app().draw.currentIssue, 130501002);
    QCOMPARE(app().draw.lastDrawNumbers, std::string("30519"));
    QCOMPARE(app().play.currentIssue, 130501002);
    QCOMPARE(app().play.issuesPerDay, 3);
    QVERIFY(host_->balloons.isEmpty());
    QVERIFY(PlayedResources().empty());
    QVERIFY(!console().controlPanel()->animating());
    QVERIFY(console().controlPanel()->isTimerActive(CSubControlDialog::kBannerTimer));
    QVERIFY(plans_.calls.contains(QStringLiteral("Issue")));
    QVERIFY(plans_.calls.contains(QStringLiteral("Draw")));

    // The history leaves out the draw shown as balls.
    QTRY_COMPARE(app().draw.historyIssues,
                 (std::vector<int>{130430003, 130430002, 130430001, 130429003}));
    QCOMPARE(app().userInfoId, 42);
    QCOMPARE(app().shareFlag, true);
    QVERIFY(plans_.calls.contains(QStringLiteral("Share:1")));
}

void ConsoleDispatchTest::aNewDrawIsAnnouncedOnceWithBalloonAndSpokenDigits() {
    logInAndShowWindow();
    const std::string reply = "1|130501002&3,0,5,1,9|2013-05-01 09:20:00";
    deliver(Type::DrawNumbers, reply);
    QCOMPARE(host_->balloons,
             QStringList{QStringLiteral("重庆时时彩\r\n期号：130501002\r\n奖号：3,0,5,1,9")});
    QTRY_COMPARE(PlayedResources(), (std::vector<int>{3105, 3102, 3107, 3103, 3111}));
    QVERIFY(console().controlPanel()->animating());
    QCOMPARE(share_.calls.count(QStringLiteral("Draw")), 2);
    QCOMPARE(dataBox_.calls.count(QStringLiteral("Draw")), 2);

    deliver(Type::DrawNumbers, reply);
    deliver(Type::DrawNumbers, "1|130501002&99999|2013-05-01 09:20:00");
    QCOMPARE(host_->balloons.size(), 1);
    QCOMPARE(app().draw.lastDrawNumbers, std::string("3,0,5,1,9"));
    QTRY_VERIFY(!console().controlPanel()->animating());
    QCOMPARE(PlayedResources().size(), std::size_t(5));
}

void ConsoleDispatchTest::drawRepliesOfAnotherLotteryAreDropped() {
    logInAndShowWindow();
    deliver(Type::DrawNumbers, "1|130501002&12345|x", 1011);
    deliver(Type::DrawTimes, "1|10:10:00#10:20:00|2013-05-01 09:00:00", 1011);
    QCOMPARE(app().draw.lastDrawIssue, 130501001);
    QCOMPARE(app().draw.drawTimes.size(), std::size_t(3));
    QVERIFY(host_->balloons.isEmpty());
}

void ConsoleDispatchTest::theCountdownWarnsOnceAndTheDrawMomentAsksForTheNumbers() {
    logInAndShowWindow();
    app().settings.lotteryPreTip = true;
    app().settings.lotteryPreTipSeconds = 1;
    app().settings.lotteryPreSoundFile = "missing.wav";
    app().draw.serverTime = quorstat::DateTime{2013, 5, 1, 9, 19, 48, true}.toTimeT();
    console().controlPanel()->Recompute();
    QCOMPARE(app().draw.remainingSeconds, 2);
    // The warning file is missing, so the player sounds its chime, once.
    QTRY_COMPARE(PlayedResources(), std::vector<int>{quorstat::sound_id::kChime});

    setReply("BetLotteryData.asp#latest", "1|130501002&24680|2013-05-01 09:20:00");
    const std::size_t before = sentCount();
    QTRY_COMPARE_WITH_TIMEOUT(app().draw.closedIssue, 130501002, 20000);
    QCOMPARE(app().draw.currentIssue, 130501003);
    QTRY_COMPARE(app().draw.lastDrawNumbers, std::string("24680"));
    QVERIFY(sentSince(before).contains("BetLotteryData.asp#latest"));
    const std::vector<int> played = PlayedResources();
    QCOMPARE(std::count(played.begin(), played.end(), quorstat::sound_id::kChime), 1);
}

void ConsoleDispatchTest::templateListVariants() {
    logInAndShowWindow();
    QComboBox* picker = console().templatePicker();
    QTRY_COMPARE(picker->count(), 1);
    QCOMPARE(picker->itemText(0), QStringLiteral("系统模板"));
    QVERIFY(
        console().findChild<QPushButton*>(QStringLiteral("templateManagerButton"))->isEnabled());

    plans_.calls.clear();
    deliver(Type::TemplateList,
            "1|3|2013-05-01 08:00:00|TempletID=5|Sort=3|TempletName=丙|$TempletID=6|Sort=1|"
            "TempletName=甲|TempletStatus=True|$TempletID=7|Sort=2|TempletName=乙|$");
    QCOMPARE(picker->count(), 3);
    QCOMPARE(picker->itemText(0) + picker->itemText(1) + picker->itemText(2),
             QStringLiteral("甲乙丙"));
    QCOMPARE(picker->currentText(), QStringLiteral("甲"));
    QCOMPARE(app().currentTemplateName, std::string("甲"));
    QCOMPARE(plans_.calls, QStringList{QStringLiteral("Recompose")});

    // Picking in the list tells the service which template is in use.
    const std::size_t before = sentCount();
    picker->setCurrentIndex(2);
    QCOMPARE(app().currentTemplateName, std::string("丙"));
    QTRY_COMPARE(sentSince(before), QStringList{"BetTempletChange.asp"});
    QVERIFY(quorstat::FromAnsi(service_->exchanges().back().body).ends_with("&TempletID=5"));

    // A choice of the template manager is applied with the next list.
    app().templates.pendingName = "乙";
    deliver(Type::TemplateList,
            "1|2|s2|TempletID=6|Sort=1|TempletName=甲|$TempletID=7|Sort=2|"
            "TempletName=乙|$");
    QCOMPARE(picker->currentText(), QStringLiteral("乙"));
    QTRY_VERIFY(quorstat::FromAnsi(service_->exchanges().back().body).ends_with("&TempletID=7"));

    // Changes made in the manager bring a fresh list.
    const std::size_t beforeUpload = sentCount();
    deliver(Type::TemplateAdd, "1|9");
    QTRY_COMPARE(sentSince(beforeUpload), QStringList{"BetTempletList.asp"});
}

void ConsoleDispatchTest::aNoticeOnTheTemplateListIsShownAndTheListAskedAgainLater() {
    logInAndShowWindow();
    const std::size_t before = sentCount();
    QElapsedTimer clock;
    clock.start();
    deliver(Type::TemplateList, "5|模板服务维护中|");
    QCOMPARE(prompter_->messages.back().text, QStringLiteral("模板服务维护中"));
    // The retry waits on a timer, not in the handler.
    waitUntilQueuedRequestsAreSent();
    QVERIFY(!sentSince(before).contains("BetTempletList.asp"));
    QTRY_VERIFY(sentSince(before).contains("BetTempletList.asp"));
    QVERIFY(clock.elapsed() >= CConsoleDialog::kTemplateRetryMs - 50);
}

void ConsoleDispatchTest::settingsRecordsAndCounts() {
    logInAndShowWindow();
    QTRY_COMPARE(app().windowFilter.titles, (std::vector<std::string>{"群A", "", "群B"}));
    QCOMPARE(app().windowFilter.stamp, std::string("2013-04-30 10:00:00"));
    QCOMPARE(app().intervalStamp, std::string("2013-04-30 11:00:00"));
    QVERIFY(QFile::exists(QString::fromStdString(app().paths.filterFile.string())));

    deliver(Type::IntervalsRead, "1|SetUp=RefServerTime=20#RefTopHtml=5#|ModifyTime=t2|");
    QCOMPARE(app().intervals.serverTime, 20000);
    QCOMPARE(app().intervals.topHtml, 300000);
    QCOMPARE(app().intervals.betNum, 10000);

    auto* counts = console().statusPanel()->findChild<QLabel*>(QStringLiteral("followCounts"));
    QCOMPARE(counts->text(), QStringLiteral("关注：3 粉丝：5"));
    deliver(Type::Follow, "1|Atten=4|Fans=9");
    QCOMPARE(counts->text(), QStringLiteral("关注：4 粉丝：9"));
    deliver(Type::FollowCounts, "0|出错了");
    QCOMPARE(counts->text(), QStringLiteral("关注：4 粉丝：9"));
    auto* online = console().statusPanel()->findChild<QLabel*>(QStringLiteral("onlineTime"));
    QCOMPARE(online->text(), QStringLiteral("在线时间：1.50小时"));

    const std::size_t before = sentCount();
    deliver(Type::WindowFilterWrite, "1");
    deliver(Type::IntervalsWrite, "0|没有权限|");
    // A refused change is told with the service's reason, or a general one.
    QCOMPARE(prompter_->messages.back().text, QStringLiteral("没有权限"));
    deliver(Type::WindowFilterWrite, "0");
    QCOMPARE(prompter_->messages.back().text, QStringLiteral("保存设置失败，请稍后重试"));
    deliver(Type::IntervalsWrite, "1");
    QTRY_COMPARE(sentSince(before), (QStringList{"BetSetup.asp#filter", "BetSetup.asp#intervals"}));
}

void ConsoleDispatchTest::choosingTheCurrentLotteryAgainSendsNothing() {
    logInAndShowWindow();
    auto* button = console().findChild<QPushButton*>(QStringLiteral("lotteryButton"));
    QTest::mouseClick(button, Qt::LeftButton);
    auto* menu = console().findChild<QMenu*>(QStringLiteral("lotteryMenu"));
    QTRY_VERIFY(menu->isVisible());
    QCOMPARE(menu->actions().size(), 6);
    QAction* current = menu->actions().at(0);
    QVERIFY(current->isChecked());
    QCOMPARE(current->text(), QStringLiteral("重庆时时彩"));
    menu->hide();

    waitUntilQueuedRequestsAreSent();
    const std::size_t before = sentCount();
    share_.calls.clear();
    current->trigger();
    waitUntilQueuedRequestsAreSent();
    QCOMPARE(sentSince(before), QStringList());
    QVERIFY(share_.calls.isEmpty());
    QCOMPARE(app().draw.lastDrawIssue, 130501001);
}

void ConsoleDispatchTest::switchingTheLotteryResetsAndReloads() {
    logInAndShowWindow();
    setReply("BetFlashLotteryTime.asp", "1|09:00:00#09:40:00|2013-05-01 09:00:00");
    setReply("BetLotteryData.asp#latest", "1|130501001&77777|2013-05-01 09:00:00");
    setReply("BetLotteryData.asp#history", "1|130501001&77777#130430002&66666#|2013-05-01");
    plans_.calls.clear();
    share_.calls.clear();
    const std::size_t before = sentCount();
    console().SelectLottery(1012);

    QCOMPARE(app().lotteryId, 1012);
    QVERIFY(!app().draw.firstDrawSeen);
    QCOMPARE(app().draw.lastDrawIssue, 0);
    QVERIFY(app().draw.historyIssues.empty());
    QCOMPARE(plans_.calls, QStringList{QStringLiteral("Selection")});
    QCOMPARE(share_.calls, QStringList{QStringLiteral("Reload")});
    QCOMPARE(dataBox_.calls.count(QStringLiteral("Clear")), 1);
    QCOMPARE(console().findChild<QPushButton*>(QStringLiteral("lotteryButton"))->text(),
             QStringLiteral("江西时时彩 ▾"));

    QTRY_COMPARE(app().draw.lastDrawNumbers, std::string("77777"));
    const QStringList sent = sentSince(before);
    QCOMPARE(sent.mid(0, 3), (QStringList{"BetFlashLotteryTime.asp", "BetAttentionUser.asp",
                                          "BetGetUserInfoID.asp"}));
    QVERIFY(
        quorstat::FromAnsi(service_->exchanges()[before].body).ends_with("Lotteryname=江西时时彩"));
    QCOMPARE(app().draw.closedIssue, 130501001);
    QTRY_COMPARE(app().draw.historyIssues, std::vector<int>{130430002});
    // The first numbers of the new lottery are no news to announce.
    QVERIFY(host_->balloons.isEmpty());

    // Back to the first lottery: its table is still known and is not fetched again.
    const std::size_t back = sentCount();
    console().SelectLottery(kLottery);
    QCOMPARE(app().draw.drawTimes, (std::vector<int>{91000, 92000, 93000}));
    QTRY_VERIFY(sentSince(back).contains("BetLotteryData.asp#latest"));
    QVERIFY(!sentSince(back).contains("BetFlashLotteryTime.asp"));
}

void ConsoleDispatchTest::staleSelectionRepliesAreDroppedOrAskedAgain() {
    logInAndShowWindow();
    share_.calls.clear();
    deliver(Type::UserList, "1|1|1|s|UID=1|UN=a|", kLottery, 1303);
    deliver(Type::UserList, "2|", kLottery, kPlay);
    deliver(Type::UserList, "1|1|1|s|UID=1|UN=a|", kLottery, kPlay);
    QCOMPARE(share_.calls, QStringList{QStringLiteral("Users:1|1|1|s|UID=1|UN=a|")});

    setReply("BetPlanShare.asp", "1|False");
    const std::size_t before = sentCount();
    app().shareFlag = true;
    deliver(Type::ShareRead, "1|True", 1011, kPlay);
    QTRY_COMPARE(sentSince(before), QStringList{"BetPlanShare.asp"});
    QVERIFY(quorstat::FromAnsi(service_->exchanges().back().body).find("ShareSetFlag=0") !=
            std::string::npos);
    // The read asked again is answered for the current selection.
    QTRY_COMPARE(app().shareFlag, false);
    QVERIFY(plans_.calls.contains(QStringLiteral("Share:0")));

    const std::size_t beforeSet = sentCount();
    deliver(Type::ShareSet, "0|失败");
    QTRY_COMPARE(sentSince(beforeSet), QStringList{"BetPlanShare.asp"});
    QVERIFY(quorstat::FromAnsi(service_->exchanges().back().body).ends_with("&Share=0"));
}

void ConsoleDispatchTest::planRepliesReachThePlanPanel() {
    logInAndShowWindow();
    plans_.calls.clear();
    GroupSendSpy groupSends(console());
    console().beginUpload(QStringLiteral("正在上传方案..."));
    QVERIFY(!console().isEnabled());
    deliver(Type::PlanUpload, "0|期号已过");
    QVERIFY(console().isEnabled());
    QCOMPARE(prompter_->messages.back().text, QStringLiteral("提交投注方案失败，请稍后重试"));
    // A refusal with its reason shows the reason.
    deliver(Type::PlanUpload, "0|期号已过|");
    QCOMPARE(prompter_->messages.back().text, QStringLiteral("期号已过"));
    deliver(Type::PlanUpload, "");
    QCOMPARE(prompter_->messages.back().text, QStringLiteral("提交投注方案失败，请稍后重试"));

    app().generalSendConfig.sendAfterSubmit = 1;
    plans_.planText = "\xE3\x80\x80 方案 123 \xE3\x80\x80";  // full-width spaces around it
    deliver(Type::PlanUpload, "1|1|1|x|TN=1#PID=5|");
    QCOMPARE(plans_.calls, QStringList{QStringLiteral("PlanList:1:1|1|1|x|TN=1#PID=5|")});
    QTRY_COMPARE(groupSends.sends.size(), 1);
    QCOMPARE(groupSends.sends[0].first, QStringLiteral("方案 123"));
    QCOMPARE(groupSends.sends[0].second, true);
    plans_.planText = "\xE3\x80\x80 ";
    deliver(Type::PlanUpload, "1|1|1|x|");
    QCoreApplication::sendPostedEvents(&console(), GroupSendEvent::kType);
    QCOMPARE(groupSends.sends.size(), 1);

    plans_.calls.clear();
    deliver(Type::OwnPlanList, "2|");
    deliver(Type::PlanCancel, "1|a");
    deliver(Type::PlanDelete, "");
    QCOMPARE(plans_.calls, (QStringList{"PlanList:-1:2|", "PlanList:-1:1|a", "PlanList:-1:"}));

    plans_.calls.clear();
    const std::size_t messages = prompter_->messages.size();
    deliver(Type::PlanReset, "0|不行");
    deliver(Type::PlanReset, "");
    QCOMPARE(prompter_->messages.size(), messages + 2);
    QCOMPARE(prompter_->messages.back().text, QStringLiteral("清空方案失败，请稍后重试"));
    deliver(Type::PlanReset, "1|0|0|x|");
    QCOMPARE(plans_.calls, (QStringList{"PlanList:-1:1|0|0|x|", "ClearStamp"}));
}

void ConsoleDispatchTest::planDetailRepliesNeedExactlyOnePlan() {
    logInAndShowWindow();
    plans_.calls.clear();
    deliver(Type::PlanDetailView, "1|2|x|PID=1|$PID=2|$");
    deliver(Type::PlanDetailView, "1|1|x|PID=8|TXT=012 345|$");
    QCOMPARE(plans_.calls, QStringList{QStringLiteral("Detail:8")});

    deliver(Type::PlanDetailCopy, "1|1|x|PID=8|TXT=012 345|$");
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("012 345"));
    QCOMPARE(prompter_->prompts.back(), QStringLiteral("复制号码成功"));
    deliver(Type::PlanDetailCopy, "1|1|x|PID=8|$");
    QCOMPARE(prompter_->prompts.back(), QStringLiteral("复制号码失败，未能获取到方案号码"));

    deliver(Type::PlanDetailToBigBase, "1|1|x|PID=9|TXT=1|$");
    QCOMPARE(dataBox_.calls.filter(QStringLiteral("BigBase")), QStringList{"BigBase:9"});
    // A plan that did not come must still end the big-base box's wait; other uses say nothing.
    deliver(Type::PlanDetailToBigBase, "0|方案不存在|");
    deliver(Type::PlanDetailView, "0|方案不存在|");
    QCOMPARE(dataBox_.calls.filter(QStringLiteral("KnownPlan")), QStringList{"KnownPlanFailed"});
}

void ConsoleDispatchTest::rankingAndDataBoxReplies() {
    logInAndShowWindow();
    deliver(Type::RankingPoints, "1|x");  // no ranking window: nothing to give it to
    QVERIFY(prompter_->prompts.isEmpty());

    RecordingRankingDialog* opened = nullptr;
    console().setRankingDialogFactory([&](int listId, QWidget* parent) {
        auto dialog = std::make_unique<RecordingRankingDialog>(listId, false, parent);
        opened = dialog.get();
        return dialog;
    });
    prompter_->dialogScripts.push_back([&](QDialog&) {
        deliver(Type::RankingOnline, "1|x");
        opened->chosen.userName = "高手";
        opened->chosen.userInfoId = 12;
        opened->chosen.shares = 1;
        return int(QDialog::Accepted);
    });
    share_.calls.clear();
    console().OpenRanking(1502);
    QCOMPARE(opened->listId, 1502);
    QCOMPARE(opened->replies, QList<int>{Type::RankingOnline});
    QCOMPARE(prompter_->prompts, QStringList{QStringLiteral("获取排行榜数据失败")});
    QCOMPARE(console().findChild<QTabWidget*>(QStringLiteral("tabs"))->currentIndex(), 1);
    QCOMPARE(share_.calls, QStringList{QStringLiteral("UserPlans:高手:12:1")});

    dataBox_.calls.clear();
    for (int type = Type::PlanContentToPlanBox; type <= Type::PlanStateByPlan; ++type)
        deliver(type, "1|x");
    QCOMPARE(dataBox_.calls,
             (QStringList{"Content:32", "Content:33", "Content:34", "Status:35", "Status:36"}));
    share_.calls.clear();
    deliver(Type::TemplateDetail, "1|TempletName=他的模板|Win=中|");
    deliver(Type::TemplateDetail, "1|Win=中|");
    QCOMPARE(share_.calls, (QStringList{"Template:他的模板", "Template:-"}));
}

void ConsoleDispatchTest::logoutStopsTheRefresh() {
    logInAndShowWindow();
    CSubStatusDialog* status = console().statusPanel();
    QVERIFY(status->timer(CSubStatusDialog::kServerTimeTimer)->isActive());
    QVERIFY(status->timer(CSubStatusDialog::kFollowCountTimer)->isActive());
    deliver(Type::Logout, "1|");
    QVERIFY(!app().isLoggedIn());
    QVERIFY(!status->timer(CSubStatusDialog::kServerTimeTimer)->isActive());
    QVERIFY(!status->timer(CSubStatusDialog::kFollowCountTimer)->isActive());
    QVERIFY(!console().controlPanel()->isTimerActive(CSubControlDialog::kDrawTableTimer));
    QCOMPARE(status->findChild<QLabel*>(QStringLiteral("followCounts"))->text(),
             QStringLiteral("关注：0 粉丝：0"));
    QVERIFY(console().loginController()->loginDialog() != nullptr);
    QVERIFY(host_->isHidden());
    QVERIFY(share_.calls.endsWith(QStringLiteral("Reset")));
}

void ConsoleDispatchTest::aSessionEndedElsewhereIsReportedOnce() {
    logInAndShowWindow();
    const std::size_t shown = prompter_->messages.size();
    deliver(Type::ServerTime, "4|您的帐号已在别处登录");
    CToolsLoginDialog* dialog = console().loginController()->loginDialog();
    QVERIFY(dialog != nullptr);
    deliver(Type::FollowCounts, "4|您的帐号已在别处登录");
    deliver(Type::TemplateList, "4|您的帐号已在别处登录");
    QCOMPARE(prompter_->messages.size(), shown + 1);
    QCOMPARE(console().loginController()->loginDialog(), dialog);
    QVERIFY(!console().statusPanel()->timer(CSubStatusDialog::kServerTimeTimer)->isActive());

    // After the next login such a reply counts again.
    logIn();
    deliver(Type::ServerTime, "4|您的帐号已在别处登录");
    QCOMPARE(prompter_->messages.size(), shown + 2);
}

void ConsoleDispatchTest::theLinkMenuOffersManagerItemsToManagersOnly() {
    logInAndShowWindow();
    RecordingShell shell;
    CSubStatusDialog* status = console().statusPanel();
    auto* button = status->findChild<QPushButton*>(QStringLiteral("linkButton"));
    QTest::mouseClick(button, Qt::LeftButton);
    QMenu* menu = status->linkMenu();
    menu->hide();
    QCOMPARE(menu->actions().size(), 9);  // "管理", a separator and seven links
    QMenu* manage = menu->actions().front()->menu();
    QVERIFY(manage != nullptr);
    QCOMPARE(manage->title(), QStringLiteral("管理"));

    QSignalSpy intervalEditor(status, &CSubStatusDialog::intervalEditorRequested);
    app().intervalStamp.clear();
    actionNamed(manage, QStringLiteral("系统时间间隔设置"))->trigger();
    QCOMPARE(prompter_->messages.back().text, QStringLiteral("正在获取服务器配置，请稍后再试"));
    app().intervalStamp = "2013-04-30 11:00:00";
    actionNamed(manage, QStringLiteral("系统时间间隔设置"))->trigger();
    QCOMPARE(intervalEditor.size(), 1);

    actionNamed(menu, QStringLiteral("开奖信息"))->trigger();
    QCOMPARE(
        shell.urls,
        QStringList{
            QStringLiteral("http://127.0.0.1:%1/NrvURL.asp?TYPE=Lottery").arg(service_->port())});

    app().adminMenus = false;
    QTest::mouseClick(button, Qt::LeftButton);
    menu->hide();
    QCOMPARE(menu->actions().size(), 7);
    QCOMPARE(menu->actions().front()->text(), QStringLiteral("Velomar在线首页"));
}

QTEST_MAIN(ConsoleDispatchTest)
#include "console_dispatch_test.moc"
