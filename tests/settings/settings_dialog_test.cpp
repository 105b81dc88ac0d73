// "系统设置" driven as a user would: what it shows, what it enables, what 确定 keeps and refuses,
// and the look chosen through the font and colour choosers.
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>
#include <fstream>

#include "core/quorstat_app.h"
#include "find_child.h"
#include "scripted_prompter.h"
#include "settings/tools_setting_dialog.h"

namespace {

void click(QWidget& dialog, const char* name) {
    QTest::mouseClick(child<QAbstractButton>(&dialog, name), Qt::LeftButton);
}

void pressOk(QDialog& dialog) {
    dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
}

QStringList entries(QComboBox* combo) {
    QStringList texts;
    for (int i = 0; i < combo->count(); ++i)
        texts << combo->itemText(i);
    return texts;
}

}  // namespace

class SettingsDialogTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void openingShowsTheSettingsAndTheSoundFiles();
    void theGoverningBoxesEnableTheirControls();
    void refusedSecondsKeepTheDialogOpenAndTheSettingsAsTheyWere();
    void theChoosersSetTheLookAndDefaultPutsItBack();

private:
    CQuorstatApp& app() { return CQuorstatApp::instance(); }

    QTemporaryDir dir_;
    quorstat::Settings initial_;
    std::unique_ptr<ScriptedPrompter> prompter_;
};

void SettingsDialogTest::initTestCase() {
    qputenv("QUORSTAT_DATA_DIR", dir_.filePath(QStringLiteral("Data")).toUtf8());
    initial_ = app().settings;
    std::filesystem::create_directories(app().paths.soundDir);
    for (const char* name : {"b.wav", "a.wav", "readme.txt"})
        std::ofstream(app().paths.soundDir / name) << "RIFF";
}

void SettingsDialogTest::init() {
    app().settings = initial_;
    prompter_.reset();
    prompter_ = std::make_unique<ScriptedPrompter>();
}

void SettingsDialogTest::openingShowsTheSettingsAndTheSoundFiles() {
    app().settings.lotteryNowSoundFile = "b.wav";
    app().settings.lotteryPreSoundFile = "gone.wav";
    app().settings.shareUserListPrePageCount = 80;
    app().settings.unregPrompt = false;
    CToolsSettingDialog dialog(app());
    QCOMPARE(dialog.windowTitle(), QStringLiteral("系统设置"));
    auto* drawSound = child<QComboBox>(&dialog, "combo3341");
    QCOMPARE(entries(drawSound), (QStringList{"Default", "a.wav", "b.wav"}));
    QCOMPARE(drawSound->currentText(), QStringLiteral("b.wav"));
    QCOMPARE(child<QComboBox>(&dialog, "combo3353")->currentIndex(), 0);
    QCOMPARE(child<QLineEdit>(&dialog, "edit3161")->text(), QStringLiteral("80"));
    QVERIFY(!child<QCheckBox>(&dialog, "check3230")->isChecked());
    QVERIFY(child<QCheckBox>(&dialog, "check3227")->isChecked());
    QCOMPARE(child<QCheckBox>(&dialog, "check3345")->nextInFocusChain(),
             child<QLineEdit>(&dialog, "edit3347"));
    QCOMPARE(child<QPushButton>(&dialog, "button3243")->nextInFocusChain(),
             child<QCheckBox>(&dialog, "check3198"));

    // The sound that is gone is stored as "Default"; the others stay.
    pressOk(dialog);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(app().settings.lotteryPreSoundFile, std::string());
    QCOMPARE(app().settings.lotteryNowSoundFile, std::string("b.wav"));
    QCOMPARE(app().settings.shareUserListPrePageCount, 80);
    QVERIFY(!app().settings.unregPrompt);
}

void SettingsDialogTest::theGoverningBoxesEnableTheirControls() {
    app().settings.lotteryPlaySound = true;
    app().settings.lotteryPlaySoundType = 0;
    app().settings.lotteryPreTip = false;
    app().settings.shareIsNewPlaySound = false;
    CToolsSettingDialog dialog(app());
    dialog.show();
    auto* spoken = child<QRadioButton>(&dialog, "radio3333");
    auto* drawSound = child<QComboBox>(&dialog, "combo3341");
    const auto state = [&] {
        return QList<bool>{spoken->isEnabled(), drawSound->isEnabled(),
                           child<QLineEdit>(&dialog, "edit3347")->isEnabled(),
                           child<QComboBox>(&dialog, "combo3353")->isEnabled(),
                           child<QComboBox>(&dialog, "combo3355")->isEnabled()};
    };
    QCOMPARE(state(), (QList<bool>{true, false, false, false, false}));
    click(dialog, "radio3337");
    QCOMPARE(state(), (QList<bool>{true, true, false, false, false}));
    click(dialog, "check3328");
    QCOMPARE(state(), (QList<bool>{false, false, false, false, false}));
    click(dialog, "radio3333");  // disabled: nothing changes
    spoken->setChecked(true);
    click(dialog, "check3328");
    QCOMPARE(state(), (QList<bool>{true, false, false, false, false}));
    click(dialog, "check3345");
    click(dialog, "check3293");
    QCOMPARE(state(), (QList<bool>{true, false, true, true, true}));
}

void SettingsDialogTest::refusedSecondsKeepTheDialogOpenAndTheSettingsAsTheyWere() {
    const quorstat::Settings before = app().settings;
    CToolsSettingDialog dialog(app());
    dialog.show();
    click(dialog, "check3224");
    child<QLineEdit>(&dialog, "edit3347")->setText(QStringLiteral("121"));
    pressOk(dialog);
    QVERIFY(dialog.isVisible());
    QCOMPARE(prompter_->messages.size(), std::size_t(1));
    QCOMPARE(prompter_->messages[0].text, QStringLiteral("开奖前提示秒数设置不正确，范围20-120"));
    QCOMPARE(prompter_->messages[0].caption, QStringLiteral("提示信息"));
    QVERIFY(app().settings == before);

    child<QLineEdit>(&dialog, "edit3347")->setText(QStringLiteral("120"));
    pressOk(dialog);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(app().settings.lotteryPreTipSeconds, 120);
    QVERIFY(app().settings.closeWndToSystemTray);
}

void SettingsDialogTest::theChoosersSetTheLookAndDefaultPutsItBack() {
    CToolsSettingDialog dialog(app());
    QFont chosen(QStringLiteral("Noto Serif CJK SC"));
    chosen.setPixelSize(24);
    chosen.setBold(true);
    chosen.setItalic(true);
    prompter_->fonts = {chosen};
    prompter_->colors = {QColor(0, 0, 255), QColor(255, 255, 204)};
    click(dialog, "button3239");
    click(dialog, "button3241");
    click(dialog, "button3243");
    click(dialog, "button3243");  // cancelled: the colour stays

    auto* sample = child<QLabel>(&dialog, "static3237");
    QCOMPARE(sample->font().pixelSize(), 24);
    QVERIFY(sample->font().italic());
    QCOMPARE(sample->styleSheet(), QStringLiteral("color: #0000ff; background-color: #ffffcc;"));
    const quorstat::SettingsForm form = dialog.form();
    QCOMPARE(form.planTextFont.height, -24);
    QCOMPARE(form.planTextFont.weight, 700);
    QCOMPARE(form.planTextFont.italic, std::uint8_t(1));
    QCOMPARE(form.planTextFore, 0xFF0000u);
    QCOMPARE(form.planTextBack, 0xCCFFFFu);
    QVERIFY(app().settings == initial_);  // nothing is stored before 确定

    child<QLineEdit>(&dialog, "edit3159")->setText(QStringLiteral("70000"));
    click(dialog, "buttonDefault");
    QVERIFY(dialog.form() == quorstat::DefaultSettingsForm(app().windowsXp));
    QCOMPARE(sample->styleSheet(), QStringLiteral("color: #000000; background-color: #f2f2f2;"));
}

QTEST_MAIN(SettingsDialogTest)
#include "settings_dialog_test.moc"
