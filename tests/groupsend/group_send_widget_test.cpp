// The group send as a user works it, logged in to the stand-in service, on a made-up desktop:
// the custom send dialog, the send after an upload, the settings with shortcut import, and the
// manager's filter and interval editors.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>
#include <QtTest>

#include "console/console_dialog.h"
#include "console/group_send_event.h"
#include "console/group_sender.h"
#include "console/sub_status_dialog.h"
#include "core/atomic_file.h"
#include "core/quorstat_app.h"
#include "core/send_config_file.h"
#include "core/text_codec.h"
#include "fake_desktop.h"
#include "net/service_request.h"
#include "recording_views.h"
#include "scripted_prompter.h"
#include "service/service_app.h"
#include "service_session.h"
#include "shell_link_file.h"
#include "templates/tools_qq_setting_sub_dialog.h"

namespace {

constexpr int kSendTimeoutMs = 20000;

template <typename T>
T* child(QWidget& parent, const char* name) {
    T* found = parent.findChild<T*>(QString::fromLatin1(name));
    if (!found)
        qFatal("no child %s", name);
    return found;
}

void tick(QTreeWidget* list, int row, int column = 1) {
    list->topLevelItem(row)->setCheckState(column, Qt::Checked);
}

QStringList rowTexts(const QTreeWidget* list) {
    QStringList texts;
    for (int row = 0; row < list->topLevelItemCount(); ++row)
        texts << list->topLevelItem(row)->text(0);
    return texts;
}

QAction* actionNamed(const QMenu* menu, const QString& text) {
    for (QAction* action : menu->actions()) {
        if (action->text() == text)
            return action;
        if (action->menu())
            if (QAction* inner = actionNamed(action->menu(), text))
                return inner;
    }
    return nullptr;
}

// Window handles live only while the program runs.
std::vector<quorstat::QQITEM> onDisk(std::vector<quorstat::QQITEM> items) {
    for (quorstat::QQITEM& item : items)
        item.hwnd = 0;
    return items;
}

}  // namespace

class GroupSendWidgetTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void aCustomSendGoesToTheTickedWindowsAndClosesItsDialog();
    void thePlanTextGoesQuietlyAfterAnUploadAndASecondSendIsRefused();
    void theSettingsImportShortcutsMoveWindowsAndKeepExtraLines();
    void managersChangeTheFilterAndTheIntervals();

private:
    CQuorstatApp& app() { return CQuorstatApp::instance(); }
    CConsoleDialog& console() { return *app().console; }
    quorstat::tagCONFIG_QQSEND readSendFile(const std::filesystem::path& path);

    ScriptedPrompter prompter_;
    FakeDesktop desktop_;
    QWidget host_;
    ServiceSession session_{"2013-05-01 10:41:10"};
};

void GroupSendWidgetTest::initTestCase() {
    quorstat::DesktopAutomation::install(&desktop_);
    QVERIFY(session_.start(host_));
    {
        auto& context = session_.service().context();
        std::lock_guard lock(context.lock);
        context.accounts.addUser("老王", "secret", true);
        // Every tail line on: the plan tail and the short custom tail.
        context.db.exec(
            "UPDATE users SET plan_tail = 1, custom_tail = 1, custom_tail_short = 1 "
            "WHERE name = '老王'");
    }
    QVERIFY(session_.logIn(QStringLiteral("老王"), QStringLiteral("secret")));
    QTRY_VERIFY_WITH_TIMEOUT(console().isVisible() && console().isEnabled(), 10000);
    QCOMPARE(app().tailPersonal, 1);
    QCOMPARE(app().tailMode, 2);
    QVERIFY(app().adminMenus);
    // The filter the service keeps, read after the login.
    QTRY_VERIFY_WITH_TIMEOUT(!app().windowFilter.stamp.empty(), 10000);
}

void GroupSendWidgetTest::cleanupTestCase() {
    session_.stop();
    quorstat::DesktopAutomation::install(nullptr);
}

void GroupSendWidgetTest::init() {
    prompter_.prompts.clear();
    prompter_.messages.clear();
    desktop_.log.clear();
}

quorstat::tagCONFIG_QQSEND GroupSendWidgetTest::readSendFile(const std::filesystem::path& path) {
    quorstat::tagCONFIG_QQSEND stored;
    const auto bytes = quorstat::ReadWholeFile(path);
    if (!bytes || !quorstat::ReadSendConfig(*bytes, stored))
        qWarning("cannot read %s", path.c_str());
    return stored;
}

void GroupSendWidgetTest::aCustomSendGoesToTheTickedWindowsAndClosesItsDialog() {
    desktop_.add("张三");
    desktop_.add("A");
    desktop_.add("电脑管家");
    desktop_.add("B");
    bool sent = false;
    prompter_.dialogScripts.push_back([&](QDialog& shown) -> int {
        auto& dialog = static_cast<CToolsQQSettingSubDialog&>(shown);
        child<QRadioButton>(dialog, "radio3300")->setChecked(true);
        auto* windows = child<QTreeWidget>(dialog, "list3306");
        // Opened on the windows as they are, filtered and in title order.
        if (rowTexts(windows) != QStringList({"A", "B", "张三"}))
            return QDialog::Rejected;
        tick(windows, 0);
        tick(windows, 1);
        child<QLineEdit>(dialog, "edit3259")->setText(QStringLiteral("0"));
        child<QCheckBox>(dialog, "check3271")->setChecked(true);
        auto* send = child<QPushButton>(dialog, "button3");
        QTest::mouseClick(send, Qt::LeftButton);
        child<QPlainTextEdit>(dialog, "edit3286")
            ->setPlainText(QStringLiteral("\u3000 明天十点开会 \n"));
        QTest::mouseClick(send, Qt::LeftButton);
        sent =
            QTest::qWaitFor([&] { return dialog.result() == QDialog::Accepted; }, kSendTimeoutMs);
        return dialog.result();
    });
    QTest::mouseClick(console().findChild<QPushButton*>(QStringLiteral("customSendButton")),
                      Qt::LeftButton);
    QVERIFY(sent);
    QCOMPARE(prompter_.messages.size(), std::size_t(1));
    QCOMPARE(prompter_.messages[0].text, QStringLiteral("请输入要群发的文本"));
    QCOMPARE(desktop_.pastedTitles(), (std::vector<std::string>{"A", "B"}));
    QCOMPARE(desktop_.clipboard,
             std::string("明天十点开会\r\n以上信息由『Norvane』投注统计系统发送。"));
    QCOMPARE(prompter_.prompts, QStringList({QStringLiteral("QQ群发完成")}));

    const quorstat::tagCONFIG_QQSEND& custom = app().customSendConfig;
    QCOMPARE(custom.sendMode, 1);
    QCOMPARE(custom.interval, 0);
    QCOMPARE(custom.closeAfterSend.substr(0, 1), std::string("1"));
    QCOMPARE(custom.items.size(), std::size_t(3));
    QCOMPARE(custom.items[0].allowed, 1);
    QCOMPARE(custom.items[1].allowed, 1);
    QCOMPARE(custom.items[2].windowTitle, std::string("张三"));
    QCOMPARE(custom.items[2].allowed, 0);
    QVERIFY(readSendFile(app().paths.sendConfigFile).items == onDisk(custom.items));
}

void GroupSendWidgetTest::thePlanTextGoesQuietlyAfterAnUploadAndASecondSendIsRefused() {
    RecordingPlanPanel plans;
    plans.planText = "\u3000方案一\r\n方案二 \r\n";
    console().attachPlanPanel(new QWidget, &plans);
    auto& general = app().generalSendConfig;
    general.sendAfterSubmit = 1;
    general.sendMode = 1;
    general.interval = 0;
    general.signatures = {"群号 12345"};
    general.signatureIndex = 0;
    quorstat::QQITEM onlyB;
    onlyB.windowTitle = "B";
    onlyB.allowed = 1;
    general.items = {onlyB};

    quorstat::ServiceRequest upload;
    upload.type = 7;
    upload.reply = "1|0|0|2013-05-01 10:41:10|";
    console().OnRequestDone(upload);
    QTRY_VERIFY(console().groupSender()->running());
    QTest::mouseClick(console().findChild<QPushButton*>(QStringLiteral("customSendButton")),
                      Qt::LeftButton);
    QCOMPARE(prompter_.prompts, QStringList({QStringLiteral("正确QQ群发中，请稍后再试...")}));
    QTRY_VERIFY_WITH_TIMEOUT(!console().groupSender()->running(), kSendTimeoutMs);
    QCOMPARE(desktop_.pastedTitles(), std::vector<std::string>{"B"});
    QCOMPARE(desktop_.clipboard,
             std::string(
                 "方案一\r\n方案二\r\n群号 12345\r\n以上方案由『Norvane』投注统计系统自动发送！"));

    // After an upload a send that finds nothing to send says nothing.
    prompter_.prompts.clear();
    general.items[0].allowed = 0;
    console().OnRequestDone(upload);
    QCoreApplication::sendPostedEvents(&console(), GroupSendEvent::kType);
    QVERIFY(!console().groupSender()->running());
    QVERIFY(prompter_.prompts.isEmpty());
    QVERIFY(prompter_.messages.empty());
    console().attachPlanPanel(new QWidget, nullptr);
    general.sendAfterSubmit = 0;
}

void GroupSendWidgetTest::theSettingsImportShortcutsMoveWindowsAndKeepExtraLines() {
    const QString links = session_.dataPath(QStringLiteral("links"));
    QVERIFY(QDir().mkpath(links));
    const auto write = [&](const QString& name, const std::string& bytes) {
        QFile file(links + "/" + name);
        if (!file.open(QIODevice::WriteOnly) ||
            file.write(bytes.data(), static_cast<qint64>(bytes.size())) < 0)
            qFatal("cannot write %s", qPrintable(file.fileName()));
        return file.fileName();
    };
    const std::string launcher =
        quorstat::ToAnsi("C:\\Program Files\\腾讯\\QQ\\Bin\\QQScLauncher.exe");
    const QString zhang = write(QStringLiteral("张三.lnk"), ShellLinkFile::bytes(launcher, u"/a"));
    const QString group =
        write(QStringLiteral("开会群.lnk"), ShellLinkFile::bytes(launcher, u"/b"));
    const QString notepad =
        write(QStringLiteral("记事本.lnk"), ShellLinkFile::bytes("C:\\Windows\\notepad.exe", u""));
    const QString broken = write(QStringLiteral("坏.lnk"), std::string("L\0\0\0", 4));
    prompter_.fileLists = {{notepad, broken}, {zhang, notepad, group, broken}, {zhang}};
    prompter_.answers = {QMessageBox::No};

    QStringList windowsSeen;
    QStringList disabledSeen;
    QStringList shortcutsSeen;
    prompter_.dialogScripts.push_back([&](QDialog& shown) -> int {
        auto& dialog = static_cast<CToolsQQSettingSubDialog&>(shown);
        dialog.show();
        if (!QTest::qWaitForWindowExposed(&dialog))
            return QDialog::Rejected;
        // The lists open in window mode, the mode the plan send above left.
        auto* enabled = child<QTreeWidget>(dialog, "list3306");
        auto* disabled = child<QTreeWidget>(dialog, "list3309");
        windowsSeen = rowTexts(enabled);
        const int rowA = static_cast<int>(windowsSeen.indexOf(QStringLiteral("A")));
        if (rowA < 0)
            return QDialog::Rejected;
        const QRect rowRect = enabled->visualItemRect(enabled->topLevelItem(rowA));
        const QPoint onName(rowRect.left() + 8, rowRect.center().y());
        QTest::mousePress(enabled->viewport(), Qt::LeftButton, {}, onName);
        QTest::mouseDClick(enabled->viewport(), Qt::LeftButton, {}, onName);
        if (!QTest::qWaitFor([&] { return disabled->topLevelItemCount() == 1; }))
            return QDialog::Rejected;
        disabledSeen = rowTexts(disabled);

        child<QRadioButton>(dialog, "radio3297")->setChecked(true);
        auto* importButton = child<QPushButton>(dialog, "button3236");
        for (int i = 0; i < 3; ++i)
            QTest::mouseClick(importButton, Qt::LeftButton);
        shortcutsSeen = rowTexts(child<QTreeWidget>(dialog, "list3303"));

        prompter_.dialogScripts.push_back([](QDialog& editor) {
            child<QLineEdit>(editor, "signText")->setText(QStringLiteral("欢迎加群"));
            editor.accept();
            return editor.result();
        });
        auto* signatures = child<QTreeWidget>(dialog, "list3342");
        signatures->actions().at(0)->trigger();
        // The line the plan send above enabled stays; ticking the new one unticks it.
        tick(signatures, 1, 2);
        child<QCheckBox>(dialog, "check3261")->setChecked(true);
        dialog.accept();
        return dialog.result();
    });
    QTest::mouseClick(console().findChild<QPushButton*>(QStringLiteral("sendSettingsButton")),
                      Qt::LeftButton);

    QCOMPARE(windowsSeen, QStringList({"B", "A", "张三"}));
    QCOMPARE(disabledSeen, QStringList({"A"}));
    QCOMPARE(shortcutsSeen, QStringList({"张三", "开会群"}));
    QCOMPARE(prompter_.messages.size(), std::size_t(2));
    QCOMPARE(prompter_.messages[0].text, QStringLiteral("没有选择有效的QQ快捷方式文件"));
    QVERIFY(prompter_.messages[1].text.startsWith(
        QStringLiteral("在列表中已经存在同名快捷方式：张三，\n选择“是”")));

    const quorstat::tagCONFIG_QQSEND& general = app().generalSendConfig;
    QCOMPARE(general.sendMode, 0);
    QCOMPARE(general.sendAfterSubmit, 1);
    QCOMPARE(general.signatures, (std::vector<std::string>{"群号 12345", "欢迎加群"}));
    QCOMPARE(general.signatureIndex, 1);
    QCOMPARE(general.items.at(0).windowTitle, std::string("张三"));
    QCOMPARE(general.items.at(0).shortcutFile,
             std::string("C:\\Program Files\\腾讯\\QQ\\Bin\\QQScLauncher.exe"));
    QCOMPARE(general.items.at(0).arguments, std::string("/a"));
    QCOMPARE(general.items.at(1).windowTitle, std::string("开会群"));
    QCOMPARE(general.items.at(1).arguments, std::string("/b"));
    QCOMPARE(general.items.size(), std::size_t(5));
    QCOMPARE(general.items.at(4).windowTitle, std::string("A"));
    QCOMPARE(general.items.at(4).allowed, 2);
    QVERIFY(readSendFile(app().paths.sendFile).items == onDisk(general.items));
    app().generalSendConfig.sendAfterSubmit = 0;
}

void GroupSendWidgetTest::managersChangeTheFilterAndTheIntervals() {
    CSubStatusDialog* status = console().statusPanel();
    QTest::mouseClick(status->findChild<QPushButton*>(QStringLiteral("linkButton")),
                      Qt::LeftButton);
    QMenu* links = status->linkMenu();
    links->hide();
    prompter_.dialogScripts.push_back([&](QDialog& editor) {
        auto* text = child<QPlainTextEdit>(editor, "edit3148");
        text->setPlainText(QStringLiteral("A&B"));
        editor.accept();
        text->setPlainText(QStringLiteral("A\nB\nA\n电脑管家"));
        editor.accept();
        return editor.result();
    });
    actionNamed(links, QStringLiteral("QQ群发筛选设置"))->trigger();
    QCOMPARE(prompter_.messages.size(), std::size_t(1));
    QCOMPARE(prompter_.messages[0].text, QStringLiteral("输入的字符中不能包含'&'"));
    QTRY_COMPARE_WITH_TIMEOUT(app().windowFilter.titles,
                              (std::vector<std::string>{"A", "B", "电脑管家"}), 10000);

    prompter_.dialogScripts.push_back([&](QDialog& editor) {
        auto* serverTime = child<QComboBox>(editor, "RefServerTime");
        serverTime->setCurrentText(QStringLiteral("61"));
        editor.accept();
        serverTime->setCurrentText(QStringLiteral("45"));
        editor.accept();
        return editor.result();
    });
    QTRY_VERIFY_WITH_TIMEOUT(!app().intervalStamp.empty(), 10000);
    actionNamed(links, QStringLiteral("系统时间间隔设置"))->trigger();
    QCOMPARE(prompter_.messages.size(), std::size_t(2));
    QCOMPARE(prompter_.messages[1].text, QStringLiteral("设置不正确"));
    QTRY_COMPARE_WITH_TIMEOUT(app().intervals.serverTime, 45000, 10000);
}

QTEST_MAIN(GroupSendWidgetTest)
#include "group_send_widget_test.moc"
