// The group send on a real X server (its own Xvfb) into three fake chat windows, as a user sees
// it: the text arrives in the allowed windows only, in title order, and the window never stalls.
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <algorithm>
#include <memory>

#include "console/group_send_event.h"
#include "console/group_sender.h"
#include "core/quorstat_app.h"
#include "core/window_filter.h"
#include "platform/desktop_automation.h"
#include "scripted_prompter.h"

namespace {

constexpr int kWindowTimeoutMs = 15000;
constexpr int kSendTimeoutMs = 30000;

quorstat::QQITEM windowItem(const char* title, int allowed) {
    quorstat::QQITEM item;
    item.windowTitle = title;
    item.allowed = allowed;
    return item;
}

int openChatWindows() {
    const auto windows = quorstat::DesktopAutomation::instance().topLevelWindows();
    return static_cast<int>(std::count_if(windows.begin(), windows.end(), [](const auto& window) {
        return window.className == "TXGuiFoundation";
    }));
}

// The longest time the UI thread went without serving a 5 ms timer, from construction on.
class StallMeter : public QObject {
public:
    StallMeter() {
        connect(&timer_, &QTimer::timeout, this,
                [this] { longestMs_ = std::max(longestMs_, clock_.restart()); });
        timer_.start(5);
        clock_.start();
    }
    qint64 longestMs() const { return longestMs_; }

private:
    QTimer timer_;
    QElapsedTimer clock_;
    qint64 longestMs_ = 0;
};

}  // namespace

class GroupSendX11Test : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void aPlanSendReachesTheAllowedWindowOnly();
    void aCustomSendArrivesInTitleOrderWithoutStalls();

private:
    CQuorstatApp& app() { return CQuorstatApp::instance(); }
    QString logOf(const QString& title) const;
    QByteArray received(const QString& title) const;

    QTemporaryDir dir_;
    ScriptedPrompter prompter_;
    QWidget console_;
    std::unique_ptr<CGroupSender> sender_;
    std::vector<std::unique_ptr<QProcess>> chats_;
};

QString GroupSendX11Test::logOf(const QString& title) const {
    return dir_.filePath(title + QStringLiteral(".log"));
}

QByteArray GroupSendX11Test::received(const QString& title) const {
    QFile log(logOf(title));
    return log.open(QIODevice::ReadOnly) ? log.readAll() : QByteArray();
}

void GroupSendX11Test::initTestCase() {
    if (!quorstat::DesktopAutomation::instance().available())
        QFAIL("no X display; the test runs under its own Xvfb");
    qputenv("QUORSTAT_DATA_DIR", dir_.filePath(QStringLiteral("Data")).toUtf8());
    for (const QString& title : {QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C"),
                                 QStringLiteral("电脑管家")}) {
        auto chat = std::make_unique<QProcess>();
        chat->setProcessChannelMode(QProcess::ForwardedChannels);
        chat->start(QStringLiteral(QUORSTAT_FAKECHAT), {title, logOf(title)});
        QVERIFY(chat->waitForStarted());
        chats_.push_back(std::move(chat));
    }
    QTRY_COMPARE_WITH_TIMEOUT(openChatWindows(), 4, kWindowTimeoutMs);
    app().windowFilter = quorstat::DefaultWindowFilter();
    sender_ = std::make_unique<CGroupSender>(app(), &console_);
}

void GroupSendX11Test::cleanupTestCase() {
    sender_.reset();
    for (auto& chat : chats_) {
        chat->terminate();
        chat->waitForFinished();
    }
}

void GroupSendX11Test::aPlanSendReachesTheAllowedWindowOnly() {
    auto& general = app().generalSendConfig;
    general.sendMode = 1;
    general.interval = 0;
    general.signatures = {"群号 12345"};
    general.signatureIndex = 0;
    general.items = {windowItem("A", 0), windowItem("B", 1), windowItem("电脑管家", 1)};
    app().tailPersonal = 1;

    const std::unique_ptr<GroupSendEvent> event(
        GroupSendEvent::planSend(QStringLiteral("方案一\r\n方案二"), false));
    sender_->start(*event);

    QTRY_COMPARE_WITH_TIMEOUT(
        QString::fromUtf8(received(QStringLiteral("B"))),
        QStringLiteral("方案一\n方案二\n群号 12345\n以上方案由『Norvane』投注统计系统自动发送！\n"),
        kSendTimeoutMs);
    QTRY_VERIFY_WITH_TIMEOUT(!sender_->running(), kSendTimeoutMs);
    QCOMPARE(prompter_.prompts, QStringList{QStringLiteral("QQ群发完成")});
    QVERIFY(received(QStringLiteral("A")).isEmpty());
    QVERIFY(received(QStringLiteral("电脑管家")).isEmpty());
}

void GroupSendX11Test::aCustomSendArrivesInTitleOrderWithoutStalls() {
    QFile::remove(logOf(QStringLiteral("B")));
    auto& custom = app().customSendConfig;
    custom.useGeneral = 0;
    custom.sendMode = 1;
    custom.interval = 1;
    custom.closeAfterSend = "0";
    custom.items = {windowItem("C", 1), windowItem("B", 1), windowItem("A", 1)};
    app().tailMode = 0;
    prompter_.prompts.clear();

    const StallMeter meter;
    const std::unique_ptr<GroupSendEvent> event(
        GroupSendEvent::customSend(QStringLiteral("明天十点开会")));
    sender_->start(*event);
    const QByteArray expected = QStringLiteral("明天十点开会\n").toUtf8();
    // A second and a key sequence lie between two windows, so each arrives before the next has
    // begun.
    const QStringList order{QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")};
    for (qsizetype i = 0; i < order.size(); ++i) {
        QTRY_COMPARE_WITH_TIMEOUT(received(order[i]), expected, kSendTimeoutMs);
        if (i + 1 < order.size())
            QVERIFY2(received(order[i + 1]).isEmpty(), qPrintable(order[i + 1]));
    }
    QTRY_VERIFY_WITH_TIMEOUT(!sender_->running(), kSendTimeoutMs);
    QCOMPARE(prompter_.prompts, QStringList{QStringLiteral("QQ群发完成")});
    QVERIFY(received(QStringLiteral("电脑管家")).isEmpty());
    qInfo("longest UI thread stall during the three-window send: %lld ms", meter.longestMs());
}

QTEST_MAIN(GroupSendX11Test)
#include "group_send_x11_test.moc"
