// The number entry and the upload of the plan form, against a scripted service on a loopback
// port.
#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QtTest>
#include <mutex>

#include "console/console_dialog.h"
#include "console/login_controller.h"
#include "console/tools_login_dialog.h"
#include "core/quorstat_api.h"
#include "core/quorstat_app.h"
#include "core/text_codec.h"
#include "find_child.h"
#include "plan/bet_numbers_edit.h"
#include "plan/bet_numbers_field.h"
#include "plan/number_entry_panel.h"
#include "plan/sub_plan_dialog.h"
#include "plan/sub_plan_stat_dialog.h"
#include "scripted_prompter.h"
#include "scripted_service.h"

QST_API void QST_Init(char*, char*);
QST_API std::intptr_t QST_Run(void*, const char*, const char*, int);
QST_API void QST_Exit();

namespace {

constexpr int kOpenIssue = 130501029;
constexpr std::time_t kServerTime = 1367404880;  // 2013-05-01 10:41:20 UTC
const QString kStart = QStringLiteral("确定要开始上传方案吗？");
const QString kShare = QStringLiteral("人人为我，我为人人，您要分享方案吗？");
constexpr auto Yes = QMessageBox::Yes;
constexpr auto No = QMessageBox::No;

QStringList textsOf(const std::vector<ScriptedPrompter::Shown>& shown) {
    QStringList texts;
    for (const auto& message : shown)
        texts << message.text;
    return texts;
}

}  // namespace

class PlanEntryWidgetTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void theEntryFollowsThePlayFamily();
    void positionsAndNumbersBelongToTheirPair();
    void pastedTextGoesThroughThePasteProcedure();
    void aLargeMixedPasteLeavesTheWindowResponsive();
    void aPasteForAPlayLeftBehindIsDropped();
    void numbersGoInFrontOrComeFromElsewhere();
    void theShareBoxAsksBeforeSharingStops();
    void theUploadChecksInOrder();
    void theRatioQuestionIsAskedOncePerRun();
    void theServiceDecidesWhetherTheNumbersStay();

private:
    CQuorstatApp& app() { return CQuorstatApp::instance(); }
    CSubPlanStatDialog* form() { return app().console->findChild<CSubPlanStatDialog*>(); }
    NumberEntryPanel* entry() { return form()->numberEntry(); }
    BetNumbersField* field() { return entry()->numbersField(); }
    QString countText() { return child<QLabel>(entry(), QStringLiteral("betCount"))->text(); }
    void selectPlay(int playId);
    void typeNumbers(const QString& text);
    void pasteAndWait(const QString& clipboard);
    void checkPositions(const QStringList& names);
    void setUpMoney(const QString& cost, const QString& prize, const QString& initialMultiple);
    void setReply(const std::string& page, const std::string& reply);
    QStringList bodiesOf(const std::string& page) const;

    QTemporaryDir dir_;
    std::unique_ptr<quorstat::ScriptedService> service_;
    std::size_t firstExchange_ = 0;  // of the test running
    mutable std::mutex repliesMutex_;
    std::map<std::string, std::string> replies_;
    std::unique_ptr<QWidget> host_;
    std::unique_ptr<ScriptedPrompter> prompter_;
};

void PlanEntryWidgetTest::initTestCase() {
    qputenv("TZ", "UTC");
    tzset();
    service_ = std::make_unique<quorstat::ScriptedService>(
        [this](const quorstat::ScriptedService::Exchange& exchange) {
            std::lock_guard lock(repliesMutex_);
            const auto reply = replies_.find(exchange.path.substr(exchange.path.rfind('/') + 1));
            return quorstat::ToAnsi(reply == replies_.end() ? "0|没有这个页面" : reply->second);
        });
    qputenv("QUORSTAT_DATA_DIR", dir_.path().toUtf8());
    qputenv("QUORSTAT_SERVER", "127.0.0.1:" + QByteArray::number(service_->port()));
    char title[kQstTextBufferSize];
    char version[kQstTextBufferSize];
    QST_Init(title, version);
}

void PlanEntryWidgetTest::init() {
    QFile::remove(dir_.filePath(QStringLiteral("MyPlanDataConfig.dat")));
    firstExchange_ = service_->exchanges().size();
    setReply("BetPlanInfoUp.asp", "1|0|0|x|");
    setReply("BetPlanShare.asp", "1|Share=True");
    prompter_ = std::make_unique<ScriptedPrompter>();
    app().lotteryId = 1010;
    app().playId = 1302;
    app().settings = {};
    host_ = std::make_unique<QWidget>();
    QVERIFY(QST_Run(host_.get(), nullptr, nullptr, 0) != 0);
    app().console->buildPages();
    QTRY_VERIFY(app().console->loginController()->loginDialog() != nullptr);
    // Logged in, with the issue open for betting as the draw-time table would give it.
    app().userName = "demo";
    app().sessionToken = "T0K";
    app().shareFlag = true;
    app().play.currentIssue = kOpenIssue;
    app().play.issuesPerDay = 120;
    app().draw.remainingSeconds = 300;
    app().draw.serverTime = kServerTime;
    app().console->setEnabled(true);
    form()->OnIssueChanged();
}

void PlanEntryWidgetTest::cleanup() {
    QST_Exit();
    host_.reset();
    prompter_.reset();
}

void PlanEntryWidgetTest::setReply(const std::string& page, const std::string& reply) {
    std::lock_guard lock(repliesMutex_);
    replies_[page] = reply;
}

QStringList PlanEntryWidgetTest::bodiesOf(const std::string& page) const {
    QStringList bodies;
    const auto exchanges = service_->exchanges();
    for (std::size_t i = firstExchange_; i < exchanges.size(); ++i) {
        if (exchanges[i].path.ends_with("/" + page))
            bodies << QString::fromStdString(quorstat::FromAnsi(exchanges[i].body));
    }
    return bodies;
}

// A choice of the play menu; the play chosen already is left and chosen again so it is shown anew.
void PlanEntryWidgetTest::selectPlay(int playId) {
    app().console->SelectPlay(playId == 1301 ? 1302 : 1301);
    app().console->SelectPlay(playId);
}

void PlanEntryWidgetTest::typeNumbers(const QString& text) {
    field()->edit()->setPlainText(text);
}

void PlanEntryWidgetTest::pasteAndWait(const QString& clipboard) {
    QGuiApplication::clipboard()->setText(clipboard);
    child<QPushButton>(field(), QStringLiteral("pasteNumbers"))->click();
    QTRY_VERIFY(!field()->busy());
}

void PlanEntryWidgetTest::checkPositions(const QStringList& names) {
    for (QCheckBox* box : entry()->findChildren<QCheckBox*>(QRegularExpression("^position\\d$")))
        box->setChecked(names.contains(box->text()));
}

void PlanEntryWidgetTest::setUpMoney(const QString& cost, const QString& prize,
                                     const QString& initialMultiple) {
    child<QLineEdit>(form(), QStringLiteral("unitCost"))->setText(cost);
    child<QLineEdit>(form(), QStringLiteral("prize"))->setText(prize);
    child<QLineEdit>(form(), QStringLiteral("initialMultiple"))->setText(initialMultiple);
}

void PlanEntryWidgetTest::theEntryFollowsThePlayFamily() {
    struct Case {
        int playId;
        const char* page;
        QString positions;  // the boxes offered
        QString equalDigits;
        QString runs;
        bool threeStarButtons;
    };
    const Case cases[] = {
        {1301, "betNumbersField", "前二 后二 万百 万十 万个 千百 千十 千个 百十 百个", "添加对子",
         "添加连子", false},
        {1302, "betNumbersField", "前三 中三 后三 万千十 万千个 万百十 万百个 万十个 千百个 千十个",
         "添加豹子", "添加顺子", true},
        {1303, "betNumbersField", "前四 后四 万千百个 万千十个 万百十个", "添加4同号", "添加顺子",
         false},
        {1304, "betNumbersField", "", "添加5同号", "添加顺子", false},
        {1306, "betNumbersField", "前三 中三 后三 万千十 万千个 万百十 万百个 万十个 千百个 千十个",
         "添加豹子", "添加顺子", true},
        {1309, "positionFreePicker", "前四 后四 万千百个 万千十个 万百十个", "", "", false},
        {1311, "positionalPicker", "", "", "", false},
    };
    for (const Case& c : cases) {
        selectPlay(c.playId);
        QCOMPARE(child<QStackedWidget>(entry(), QString())->currentWidget()->objectName(),
                 QString::fromLatin1(c.page));
        QStringList offered;
        for (QCheckBox* box :
             entry()->findChildren<QCheckBox*>(QRegularExpression("^position\\d$"))) {
            if (box->isVisibleTo(entry()))
                offered << box->text();
        }
        QCOMPARE(offered.join(QLatin1Char(' ')), c.positions);
        QCOMPARE(child<QCheckBox>(entry(), QStringLiteral("betByLocation"))->isVisibleTo(entry()),
                 !c.positions.isEmpty());
        if (QLatin1String(c.page) != QLatin1String("betNumbersField"))
            continue;
        QCOMPARE(child<QCheckBox>(field(), QStringLiteral("addEqualDigits"))->text(),
                 c.equalDigits);
        QCOMPARE(child<QCheckBox>(field(), QStringLiteral("addRuns"))->text(), c.runs);
        QCOMPARE(child<QPushButton>(field(), QStringLiteral("groupThree"))->isVisibleTo(field()),
                 c.threeStarButtons);
    }
}

void PlanEntryWidgetTest::positionsAndNumbersBelongToTheirPair() {
    child<QRadioButton>(entry(), QStringLiteral("singlePosition"))->click();
    QVERIFY(app().settings.myPlanUseSinglePos);
    child<QCheckBox>(entry(), QStringLiteral("position0"))->click();
    child<QCheckBox>(entry(), QStringLiteral("position1"))->click();
    QCOMPARE(entry()->checkedPositions(), std::vector<std::string>{"中三"});
    child<QRadioButton>(entry(), QStringLiteral("multiplePositions"))->click();
    child<QCheckBox>(entry(), QStringLiteral("position9"))->click();
    typeNumbers(QStringLiteral("321 123 9"));
    QCOMPARE(countText(), QStringLiteral("130501029期 号码：【2注】"));
    QVERIFY(child<QPushButton>(field(), QStringLiteral("copyNumbers"))->isEnabled());

    app().console->SelectPlay(1303);
    QCOMPARE(countText(), QStringLiteral("130501029期 号码：【0注】"));
    QVERIFY(entry()->checkedPositions().empty());
    app().console->SelectPlay(1302);
    QCOMPARE(entry()->checkedPositions(), (std::vector<std::string>{"中三", "千十个"}));
    QCOMPARE(form()->record().positionNames, std::string("中三,千十个"));
    QCOMPARE(form()->record().betNumbers, std::string("321 123 9"));
    QCOMPARE(countText(), QStringLiteral("130501029期 号码：【2注】"));

    // "计算" counts the numbers and shows them the way it counted them.
    checkPositions({QStringLiteral("前三")});
    child<QPushButton>(form(), QStringLiteral("calculate"))->click();
    QCOMPARE(form()->record().betNumbers, std::string("123 321 "));
    QCOMPARE(field()->numbers(), std::string("123 321 "));
    app().play.currentIssue = 0;
    form()->OnIssueChanged();
    QCOMPARE(countText(), QStringLiteral("号码：【2注】"));
}

void PlanEntryWidgetTest::pastedTextGoesThroughThePasteProcedure() {
    struct Case {
        const char* what;
        bool replaceWhole;
        quorstat::PasteOptions options;
        QString before;
        int selectFrom;
        int selectTo;
        QString clipboard;
        std::string after;
        int count;
        QString prompt = {};
    };
    const Case cases[] = {
        {"replaces the field", true, {}, "777", 0, 0, "321，123；999\r\n12", "123 321 999 ", 3},
        {"at the selection", false, {}, "111 222 333 ", 4, 8, "5,5,5", "111 555 333 ", 3},
        // All 1000 numbers but 000; 998 with the ten 豹子 and the 60 orders of the runs.
        {"the complement", true, {true, false, false}, "", 0, 0, "x000", "001 002 ", 999},
        {"with 豹子 and 顺子", true, {false, true, true}, "", 0, 0, "9 9 8", "000 012 ", 71},
        {"without numbers",
         true,
         {},
         "45",
         0,
         0,
         "号码",
         "45",
         0,
         QStringLiteral("没有粘贴到有效的投注号码")},
    };
    for (const Case& c : cases) {
        app().settings.planStatBeforePasteClrEdit = c.replaceWhole;
        field()->setPasteOptions(c.options);
        typeNumbers(c.before);
        QTextCursor cursor = field()->edit()->textCursor();
        cursor.setPosition(c.selectFrom);
        cursor.setPosition(c.selectTo, QTextCursor::KeepAnchor);
        field()->edit()->setTextCursor(cursor);
        prompter_->prompts.clear();
        pasteAndWait(c.clipboard);
        QCOMPARE(prompter_->prompts, c.prompt.isEmpty() ? QStringList() : QStringList{c.prompt});
        QCOMPARE(form()->record().betNumbers.substr(0, c.after.size()), c.after);
        QCOMPARE(countText(), QStringLiteral("130501029期 号码：【%1注】").arg(c.count));
    }
    app().settings.planStatBeforePasteClrEdit = true;

    // Ctrl+V in the field is the same paste; an empty clipboard changes nothing.
    field()->setPasteOptions({});
    QGuiApplication::clipboard()->setText(QStringLiteral("4 5 6 , 6 5 4"));
    QTest::keyClick(field()->edit(), Qt::Key_V, Qt::ControlModifier);
    QTRY_VERIFY(!field()->busy());
    QCOMPARE(form()->record().betNumbers, std::string("456 654 "));
    QGuiApplication::clipboard()->clear();
    child<QPushButton>(field(), QStringLiteral("pasteNumbers"))->click();
    QVERIFY(!field()->busy());
    QCOMPARE(form()->record().betNumbers, std::string("456 654 "));
}

void PlanEntryWidgetTest::aLargeMixedPasteLeavesTheWindowResponsive() {
    selectPlay(1304);
    // 00000 to 49999, ten times over, in some 5 MB of mixed text.
    QString text;
    for (int round = 0; round < 10; ++round) {
        for (int value = 0; value < 50000; ++value)
            text += QStringLiteral("第%1号，").arg(value, 5, 10, QLatin1Char('0'));
        text += QStringLiteral("\r\n五星号码 abc\r\n");
    }
    QVERIFY(text.toUtf8().size() > 5'000'000);
    int turns = 0;
    QTimer ticker;
    connect(&ticker, &QTimer::timeout, this, [&] { turns += field()->busy() ? 1 : 0; });
    ticker.start(0);
    QGuiApplication::clipboard()->setText(text);
    child<QPushButton>(field(), QStringLiteral("pasteNumbers"))->click();
    QVERIFY(field()->busy());
    QVERIFY(child<QProgressBar>(entry(), QStringLiteral("pasteProgress"))->isVisibleTo(entry()));
    QVERIFY(!child<QPushButton>(entry(), QStringLiteral("submit"))->isEnabled());
    QVERIFY(!child<QPushButton>(form(), QStringLiteral("calculate"))->isEnabled());
    QTRY_VERIFY_WITH_TIMEOUT(!field()->busy(), 30000);
    // The event loop kept turning while the paste was under way.
    QVERIFY(turns > 2);
    QVERIFY(child<QPushButton>(entry(), QStringLiteral("submit"))->isEnabled());
    QCOMPARE(countText(), QStringLiteral("130501029期 号码：【50000注】"));
    const std::string& numbers = form()->record().betNumbers;
    QCOMPARE(numbers.size(), std::size_t(50000 * 6));
    QCOMPARE(numbers.substr(0, 12), std::string("00000 00001 "));
    QCOMPARE(numbers.substr(numbers.size() - 12), std::string("49998 49999 "));
}

void PlanEntryWidgetTest::aPasteForAPlayLeftBehindIsDropped() {
    app().settings.planStatBeforePasteClrEdit = false;
    QGuiApplication::clipboard()->setText(QStringLiteral("123"));
    child<QPushButton>(field(), QStringLiteral("pasteNumbers"))->click();
    QVERIFY(field()->busy());
    app().console->SelectPlay(1308);
    QVERIFY(!field()->busy());
    QVERIFY(child<QPushButton>(form(), QStringLiteral("calculate"))->isEnabled());
    QCOMPARE(form()->record().betNumbers, std::string());
    app().console->SelectPlay(1302);
    // The paste thread answers in order: the late result came before this one and was dropped.
    pasteAndWait(QStringLiteral("456"));
    QCOMPARE(form()->record().betNumbers, std::string("456 "));
}

void PlanEntryWidgetTest::numbersGoInFrontOrComeFromElsewhere() {
    typeNumbers(QStringLiteral("321"));
    child<QPushButton>(field(), QStringLiteral("equalDigits"))->click();
    QCOMPARE(form()->record().betNumbers,
             std::string("000 111 222 321 333 444 555 666 777 888 999 "));
    child<QPushButton>(field(), QStringLiteral("groupThree"))->click();
    QCOMPARE(countText(), QStringLiteral("130501029期 号码：【281注】"));
    child<QPushButton>(field(), QStringLiteral("copyNumbers"))->click();
    QCOMPARE(QGuiApplication::clipboard()->text().size(), 281 * 4);
    child<QPushButton>(field(), QStringLiteral("clearNumbers"))->click();
    QCOMPARE(form()->record().betNumbers, std::string());
    QVERIFY(!child<QPushButton>(field(), QStringLiteral("copyNumbers"))->isEnabled());

    form()->SetBetNumbers("5,4,3 1 2 3 9");
    QCOMPARE(form()->record().betNumbers, std::string("123 543 "));
}

void PlanEntryWidgetTest::theShareBoxAsksBeforeSharingStops() {
    auto* share = child<QCheckBox>(entry(), QStringLiteral("share"));
    app().console->findChild<CSubPlanDialog*>()->SetShareFlag(true);
    QVERIFY(share->isChecked());
    prompter_->answers = {No, Yes};
    share->click();
    QVERIFY(share->isChecked());
    QVERIFY(app().shareFlag);
    QCOMPARE(
        prompter_->messages.back().text,
        QStringLiteral("分享是一种美德，取消分享后别人将无法查看到您的方案，确定要取消分享吗？"));
    QCOMPARE(prompter_->messages.back().defaultButton, No);
    share->click();
    QVERIFY(!share->isChecked());
    QVERIFY(!app().shareFlag);
    share->click();
    QCOMPARE(prompter_->messages.size(), std::size_t(2));
    QTRY_COMPARE(bodiesOf("BetPlanShare.asp").size(), 3);
    QStringList flags;
    for (const QString& body : bodiesOf("BetPlanShare.asp"))
        flags << body.mid(body.indexOf(QStringLiteral("&ShareSetFlag")));
    QCOMPARE(flags, (QStringList{"&ShareSetFlag=1&Share=1", "&ShareSetFlag=1&Share=0",
                                 "&ShareSetFlag=1&Share=1"}));
}

void PlanEntryWidgetTest::theUploadChecksInOrder() {
    struct Case {
        const char* what;
        int playId = 1302;
        QString numbers = QStringLiteral("456 123");
        QStringList positions = {QStringLiteral("前三")};
        QString cost = QStringLiteral("2");
        QString prize = QStringLiteral("1000");
        QString initialMultiple = QStringLiteral("1");
        int remainingSeconds = 300;
        bool shared = true;
        bool calculated = true;
        std::deque<QMessageBox::StandardButton> answers = {Yes};
        QStringList shown = {kStart};
        QString sent = {};  // the body from "&Position="; empty when nothing is sent
    };
    const QString yuan = QStringLiteral(
        "单注金额为“元”模式下，倍数范围：0-9999，要提交的方案倍数设置不在允许的范围内");
    const QString fen = QStringLiteral(
        "单注金额为“分”模式下，倍数范围：0-999999，要提交的方案倍数设置不在允许的范围内");
    const Case cases[] = {
        {.what = "betting closed", .remainingSeconds = 1, .shown = {"投注已截至，请等待下一期"}},
        {.what = "no table", .calculated = false, .shown = {"方案设置不正确"}},
        {.what = "no numbers", .numbers = "", .shown = {"没有输入投注数据"}},
        {.what = "prize beyond the play", .prize = "1990", .shown = {"中奖金额范围不正确"}},
        {.what = "a low ratio, declined",
         .prize = "600",
         .answers = {No},
         .shown = {"当前设置单注金额：2.000，中奖金额：600.000，这个设置是否正确？"}},
        {.what = "first multiple 0", .initialMultiple = "0", .shown = {"第一期的投注倍数不能为0"}},
        {.what = "元", .cost = "1", .prize = "900", .initialMultiple = "10000", .shown = {yuan}},
        {.what = "分", .cost = "0.05", .prize = "45", .initialMultiple = "1000000", .shown = {fen}},
        {.what = "no positions", .positions = {}, .shown = {"请选择投注位置"}},
        {.what = "declined", .answers = {No}},
        {.what = "too few digits", .numbers = "12", .shown = {kStart, "请输入有效的投注数据"}},
        {.what = "定位胆 without digits",
         .playId = 1311,
         .prize = "20",
         .shown = {kStart, "请选择胆码"}},
        {.what = "角 takes 99999, and sharing is agreed",
         .numbers = "456，123；456",
         .cost = "0.5",
         .prize = "400",
         .initialMultiple = "99999",
         .shared = false,
         .answers = {Yes, Yes},
         .shown = {kStart, kShare},
         .sent = "&Position=123&ChipsPrice=0.500&Bonus=400.000&Issue1=130501029"
                 "&Issue2=130501029&IssueNum=1&Multiple=99999&BetContext=123 456 &BetNum=2"
                 "&BetTime=2013-05-01 10:41:20&Share=1&InitMoney=0&Page=1&OnePageNum=0"
                 "&sUserName=demo"},
    };
    int sent = 0;
    for (const Case& c : cases) {
        app().play.currentIssue = c.calculated ? kOpenIssue : 0;
        selectPlay(c.playId);
        typeNumbers(c.numbers);
        checkPositions(c.positions);
        setUpMoney(c.cost, c.prize, c.initialMultiple);
        // Multiples typed by hand earlier would stand in for the initial multiple.
        form()->record().manualMultiples.clear();
        if (c.calculated)
            child<QPushButton>(form(), QStringLiteral("calculate"))->click();
        app().shareFlag = c.shared;
        app().draw.remainingSeconds = c.remainingSeconds;
        prompter_->messages.clear();
        prompter_->answers = c.answers;
        child<QPushButton>(entry(), QStringLiteral("submit"))->click();
        QVERIFY2(textsOf(prompter_->messages) == c.shown,
                 qPrintable(QStringLiteral("%1: %2").arg(QString::fromUtf8(c.what),
                                                         textsOf(prompter_->messages).join('|'))));
        QCOMPARE(app().console->isEnabled(), c.sent.isEmpty());
        if (c.sent.isEmpty())
            continue;
        ++sent;
        QTRY_COMPARE(bodiesOf("BetPlanInfoUp.asp").size(), sent);
        const QString body = bodiesOf("BetPlanInfoUp.asp").back();
        QCOMPARE(body.mid(body.indexOf(QStringLiteral("&Position="))), c.sent);
        QVERIFY(body.contains(
            QStringLiteral("&LotteryName=重庆时时彩&LotteryPlay=三星&LotteryType=单选&Position=")));
        QTRY_VERIFY(app().console->isEnabled());
    }
    // The sharing agreed to on the way was told to the service as well.
    QVERIFY(app().shareFlag);
    QVERIFY(child<QCheckBox>(entry(), QStringLiteral("share"))->isChecked());
    QTRY_COMPARE(
        bodiesOf("BetPlanShare.asp").filter(QStringLiteral("&ShareSetFlag=1&Share=1")).size(), 1);
}

void PlanEntryWidgetTest::theRatioQuestionIsAskedOncePerRun() {
    typeNumbers(QStringLiteral("123"));
    checkPositions({QStringLiteral("后三")});
    setUpMoney(QStringLiteral("2"), QStringLiteral("600"), QStringLiteral("1"));
    child<QPushButton>(form(), QStringLiteral("calculate"))->click();
    prompter_->answers = {Yes, Yes};
    child<QPushButton>(entry(), QStringLiteral("submit"))->click();
    QCOMPARE(prompter_->messages.size(), std::size_t(2));
    QCOMPARE(prompter_->messages[0].defaultButton, No);
    QTRY_COMPARE(bodiesOf("BetPlanInfoUp.asp").size(), 1);
    QTRY_VERIFY(app().console->isEnabled());

    typeNumbers(QStringLiteral("123"));
    prompter_->messages.clear();
    prompter_->answers = {Yes};
    child<QPushButton>(entry(), QStringLiteral("submit"))->click();
    QCOMPARE(textsOf(prompter_->messages), QStringList{kStart});
    QTRY_COMPARE(bodiesOf("BetPlanInfoUp.asp").size(), 2);
}

void PlanEntryWidgetTest::theServiceDecidesWhetherTheNumbersStay() {
    setReply("BetPlanInfoUp.asp", "0|第130501029期已经截止投注|");
    typeNumbers(QStringLiteral("789 123"));
    checkPositions({QStringLiteral("前三")});
    child<QPushButton>(form(), QStringLiteral("calculate"))->click();
    prompter_->answers = {Yes};
    child<QPushButton>(entry(), QStringLiteral("submit"))->click();
    QVERIFY(!app().console->isEnabled());
    QTRY_VERIFY(app().console->isEnabled());
    QCOMPARE(prompter_->messages.back().text, QStringLiteral("第130501029期已经截止投注"));
    QCOMPARE(form()->record().betNumbers, std::string("123 789 "));

    setReply("BetPlanInfoUp.asp", "1|0|0|x|");
    prompter_->answers = {Yes};
    child<QPushButton>(entry(), QStringLiteral("submit"))->click();
    QTRY_COMPARE(prompter_->prompts, QStringList{QStringLiteral("方案提交成功")});
    QCOMPARE(form()->record().betNumbers, std::string());
    QCOMPARE(countText(), QStringLiteral("130501029期 号码：【0注】"));
}

QTEST_MAIN(PlanEntryWidgetTest)
#include "plan_entry_widget_test.moc"
