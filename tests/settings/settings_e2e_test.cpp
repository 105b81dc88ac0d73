// "系统设置" in the running module against the stand-in service: a user changes settings and
// presses 确定; the user list pages anew at once, the plan text takes the new look, a chosen sound
// plays as a preview, and config.ini holds what a restart reads.
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>
#include <fstream>

#include "console/console_dialog.h"
#include "core/ini_document.h"
#include "core/quorstat_app.h"
#include "core/settings_file.h"
#include "find_child.h"
#include "plan/sub_plan_dialog.h"
#include "plan/sub_plan_info_dialog.h"
#include "platform/recording_sound_output.h"
#include "scripted_prompter.h"
#include "service_session.h"
#include "service_users.h"
#include "share/sub_share_dialog.h"
#include "share/sub_share_user_dialog.h"
#include "ui/grid_ctrl.h"

class SettingsEndToEndTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void changedSettingsApplyAtOnceAndAreReadBackAtTheNextStart();

private:
    static CQuorstatApp& app() { return CQuorstatApp::instance(); }
    CSubShareUserDialog* userList() {
        return app().console->findChild<CSubShareDialog*>()->userList();
    }
    QString pageLabel() { return child<QLabel>(userList(), "pageLabel")->text(); }
    std::filesystem::path soundFile() const { return app().paths.soundDir / "叮咚.wav"; }

    ScriptedPrompter prompter_;
    QWidget host_;
    ServiceSession session_{"2013-05-01 09:15:00"};
};

void SettingsEndToEndTest::initTestCase() {
    QVERIFY(session_.start(host_));
    ServiceUsers(session_.service()).seedDemoList();  // 41 users with plans
    std::filesystem::create_directories(app().paths.soundDir);
    std::ofstream(soundFile()) << "RIFF";
    app().settings.shareUserTopOwn = false;
    QVERIFY(session_.logIn());
    app().console->SelectTab(1);
    QTRY_COMPARE_WITH_TIMEOUT(pageLabel(), QStringLiteral("1/3页，共41个用户"), 10000);
}

void SettingsEndToEndTest::cleanupTestCase() {
    session_.stop();
}

void SettingsEndToEndTest::changedSettingsApplyAtOnceAndAreReadBackAtTheNextStart() {
    auto* sounds = dynamic_cast<quorstat::RecordingSoundOutput*>(app().soundOutput.get());
    QVERIFY(sounds);
    const std::size_t soundsBefore = sounds->played().size();
    QFont chosen(QStringLiteral("Noto Serif CJK SC"));
    chosen.setPixelSize(26);
    chosen.setBold(true);
    prompter_.fonts = {chosen};
    prompter_.colors = {QColor(0, 0, 255), QColor(255, 255, 204)};
    prompter_.dialogScripts.push_back([&](QDialog& dialog) {
        child<QLineEdit>(&dialog, "edit3161")->setText(QStringLiteral("30"));
        child<QCheckBox>(&dialog, "check3224")->click();
        child<QCheckBox>(&dialog, "check3293")->click();
        auto* newPlanSound = child<QComboBox>(&dialog, "combo3355");
        QTest::keyClick(newPlanSound, Qt::Key_Down);  // chooses the first file: a preview plays
        child<QPushButton>(&dialog, "button3239")->click();
        child<QPushButton>(&dialog, "button3241")->click();
        child<QPushButton>(&dialog, "button3243")->click();
        dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
        return dialog.result();
    });
    child<QPushButton>(app().console, "settingsButton")->click();
    QCOMPARE(prompter_.dialogTitles, QStringList{QStringLiteral("系统设置")});

    QVERIFY(sounds->waitForPlayed(soundsBefore + 1, std::chrono::seconds(10)));
    QCOMPARE(QString::fromStdString(sounds->played().back()),
             QString::fromStdString("file:" + soundFile().string()));

    // The user list starts again at page 1 with 30 users a page.
    QTRY_COMPARE_WITH_TIMEOUT(pageLabel(), QStringLiteral("1/2页，共41个用户"), 10000);
    QCOMPARE(userList()->detailGrid()->model()->rowCount(), 30);

    // The plan text shows in the chosen font and colours.
    const QPlainTextEdit* planText =
        app().console->findChild<CSubPlanDialog*>()->planList()->planTextEdit();
    QCOMPARE(planText->font().pixelSize(), 26);
    QVERIFY(planText->font().bold());
    QCOMPARE(planText->styleSheet(), QStringLiteral("color: #0000ff; background-color: #ffffcc;"));
    const PlanTextLook& look = app().planTextLook;

    // What the next start reads from config.ini.
    quorstat::Settings read;
    int lotteryId = 0;
    int playId = 0;
    quorstat::LoadSettings(quorstat::IniDocument::Load(app().paths.settingsFile), app().windowsXp,
                           read, lotteryId, playId);
    QVERIFY(read == app().settings);
    QCOMPARE(read.shareUserListPrePageCount, 30);
    QVERIFY(read.closeWndToSystemTray);
    QVERIFY(read.shareIsNewPlaySound);
    QCOMPARE(read.shareFileNewPlaySound, std::string("叮咚.wav"));
    QCOMPARE(read.planTextFont.height, -26);
    QCOMPARE(read.planTextFont.weight, 700);
    QCOMPARE(read.planTextFore, 0xFF0000u);
    QCOMPARE(read.planTextBack, 0xCCFFFFu);
    QVERIFY(PlanTextLook::FromSettings(read) == look);
}

QTEST_MAIN(SettingsEndToEndTest)
#include "settings_e2e_test.moc"
