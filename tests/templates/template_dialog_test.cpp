// The template manager and the system template editor, driven as a user would.
#include <QCheckBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

#include "console/template_list.h"
#include "core/quorstat_app.h"
#include "scripted_prompter.h"
#include "templates/template_form_widget.h"
#include "templates/tools_sys_template_editor_dialog.h"
#include "templates/tools_template_dialog.h"

namespace {

using quorstat::tagTEMPLATEITEM;

tagTEMPLATEITEM systemTemplate() {
    return quorstat::TemplateList::SystemTemplate();
}

tagTEMPLATEITEM own(std::int32_t id, const char* name) {
    tagTEMPLATEITEM item = systemTemplate();
    item.TempletID = id;
    item.Sort = id - 10;
    item.TempletName = name;
    item.SignName = "小明";
    return item;
}

QLineEdit* field(QWidget& dialog, const char* name) {
    return dialog.findChild<QLineEdit*>(QString::fromLatin1(name));
}

void setField(QWidget& dialog, const char* name, const QString& text) {
    field(dialog, name)->setText(text);
}

void click(QWidget& dialog, const char* name) {
    QTest::mouseClick(dialog.findChild<QPushButton*>(QString::fromLatin1(name)), Qt::LeftButton);
}

QStringList namesOf(const quorstat::TemplateManagerResult& result) {
    QStringList names;
    for (const tagTEMPLATEITEM& item : result.templates)
        names << QString::fromStdString(item.TempletName);
    return names;
}

QAction* menuEntry(CToolsTemplateDialog& dialog, const QString& text) {
    for (QAction* action : dialog.rowMenu()->actions())
        if (action->text() == text)
            return action;
    return nullptr;
}

}  // namespace

class TemplateDialogTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void addingNamesTheCopyOfTheSystemTemplateAndAsksBeforeReplacing();
    void problemsAreShownAndTheSystemTemplateIsNotModified();
    void sixOwnTemplatesDisableAdding();
    void okOffersAnEditNotYetInTheList();
    void rowsMoveAndOneRowIsInUse();
    void theSystemEditorKeepsNameAndIdAndRefusesABadForm();

private:
    QTemporaryDir dir_;
    std::unique_ptr<ScriptedPrompter> prompter_;
};

void TemplateDialogTest::initTestCase() {
    qputenv("QUORSTAT_DATA_DIR", dir_.filePath(QStringLiteral("Data")).toUtf8());
    CQuorstatApp::instance();
}

void TemplateDialogTest::init() {
    prompter_.reset();
    prompter_ = std::make_unique<ScriptedPrompter>();
}

void TemplateDialogTest::addingNamesTheCopyOfTheSystemTemplateAndAsksBeforeReplacing() {
    CToolsTemplateDialog dialog({systemTemplate(), own(11, "甲")}, "甲");
    dialog.list()->selectRow(0);
    QCOMPARE(field(dialog, "edit3127")->text(), QStringLiteral("系统模板"));
    QCOMPARE(field(dialog, "edit3128")->text(), QStringLiteral("Norvane"));
    click(dialog, "button3175");
    QCOMPARE(
        namesOf(dialog.editedList()),
        (QStringList{QStringLiteral("系统模板"), QStringLiteral("甲"), QStringLiteral("模板1")}));
    QCOMPARE(dialog.editedList().templates[2].TempletID, 0);
    QCOMPARE(dialog.editedList().templates[2].SignName, std::string("Norvane"));

    setField(dialog, "edit3127", QStringLiteral("甲"));
    setField(dialog, "edit3130", QStringLiteral("红"));
    prompter_->answers = {QMessageBox::No, QMessageBox::Yes};
    click(dialog, "button3175");
    QCOMPARE(dialog.editedList().templates[1].Win, std::string("中"));
    click(dialog, "button3175");
    QCOMPARE(prompter_->messages.size(), std::size_t(2));
    QCOMPARE(prompter_->messages[0].text,
             QStringLiteral("存在一个重名的模板，要替换列表中的模板吗？"));
    const auto result = dialog.editedList();
    QCOMPARE(result.templates.size(), std::size_t(3));
    QCOMPARE(result.templates[1].Win, std::string("红"));
    QCOMPARE(result.templates[1].TempletID, 11);
    QCOMPARE(result.templates[1].SignName, std::string("Norvane"));
}

void TemplateDialogTest::problemsAreShownAndTheSystemTemplateIsNotModified() {
    CToolsTemplateDialog dialog({systemTemplate(), own(11, "甲")}, "甲");
    dialog.list()->selectRow(1);
    auto* useUserName = dialog.findChild<QCheckBox*>(QStringLiteral("check3221"));
    useUserName->setChecked(true);
    QVERIFY(field(dialog, "edit3128")->text().isEmpty());
    QVERIFY(!field(dialog, "edit3128")->isEnabled());
    setField(dialog, "edit3130", QString());
    click(dialog, "button3178");
    setField(dialog, "edit3130", QStringLiteral("中"));
    setField(dialog, "edit3127", QStringLiteral("系统模板"));
    click(dialog, "button3178");
    dialog.list()->selectRow(0);
    click(dialog, "button3178");

    QStringList shown;
    for (const auto& message : prompter_->messages)
        shown << message.text;
    QCOMPARE(shown, (QStringList{QStringLiteral("模板设置不正确：没有输入“中”名称"),
                                 QStringLiteral("模板设置不正确：不能包含系统模板名称"),
                                 QStringLiteral("不能修改系统模板")}));
    QCOMPARE(dialog.editedList().templates[1].SignName, std::string("小明"));

    dialog.list()->selectRow(1);
    useUserName->setChecked(true);
    click(dialog, "button3178");
    QCOMPARE(dialog.editedList().templates[1].SignName, std::string("@USERNAME"));
    dialog.list()->selectRow(1);
    QVERIFY(useUserName->isChecked());
    QVERIFY(!field(dialog, "edit3128")->isEnabled());
}

void TemplateDialogTest::sixOwnTemplatesDisableAdding() {
    std::vector<tagTEMPLATEITEM> templates{systemTemplate()};
    for (int i = 1; i <= 6; ++i)
        templates.push_back(own(10 + i, QStringLiteral("模板%1").arg(i).toUtf8().constData()));
    CToolsTemplateDialog dialog(templates, "模板6");
    auto* add = dialog.findChild<QPushButton*>(QStringLiteral("button3175"));
    QVERIFY(!add->isEnabled());
    dialog.list()->selectRow(3);
    click(dialog, "button3179");
    QVERIFY(add->isEnabled());
    QCOMPARE(dialog.editedList().templates.size(), std::size_t(6));
    QCOMPARE(dialog.editedList().chosenName, std::string("模板6"));
}

void TemplateDialogTest::okOffersAnEditNotYetInTheList() {
    struct Case {
        int row;
        QMessageBox::StandardButton answer;
        std::string loss;  // of row 1 afterwards
        std::size_t questions;
    };
    const Case cases[] = {
        {1, QMessageBox::Yes, "黑", 1},
        {1, QMessageBox::No, "挂", 1},
        {0, QMessageBox::Yes, "挂", 0},  // the system template is not offered
    };
    for (const Case& c : cases) {
        init();
        CToolsTemplateDialog dialog({systemTemplate(), own(11, "甲")}, "甲");
        dialog.list()->selectRow(c.row);
        setField(dialog, "edit3127", QStringLiteral("乙"));
        setField(dialog, "edit3132", QStringLiteral("黑"));
        prompter_->answers = {c.answer};
        dialog.accept();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(prompter_->messages.size(), c.questions);
        if (c.questions)
            QCOMPARE(prompter_->messages[0].text,
                     QStringLiteral("模板【甲】被修改了，但是没有保存到列表中，是否保存？"));
        QCOMPARE(dialog.editedList().templates[1].Loss, c.loss);
    }

    init();
    CToolsTemplateDialog clash({systemTemplate(), own(11, "甲"), own(12, "乙")}, "甲");
    clash.list()->selectRow(1);
    setField(clash, "edit3127", QStringLiteral("乙"));
    prompter_->answers = {QMessageBox::Yes};
    clash.accept();
    QCOMPARE(clash.result(), int(QDialog::Rejected));
    QCOMPARE(prompter_->messages.back().text,
             QStringLiteral("模板名称设置不正确：存在一个重名的模板"));
    QCOMPARE(field(clash, "edit3127")->text(), QStringLiteral("乙"));
}

void TemplateDialogTest::rowsMoveAndOneRowIsInUse() {
    CToolsTemplateDialog dialog({systemTemplate(), own(11, "甲"), own(12, "乙"), own(13, "丙")},
                                "甲");
    QTableWidget* list = dialog.list();
    QCOMPARE(list->item(1, 2)->checkState(), Qt::Checked);
    list->item(3, 2)->setCheckState(Qt::Checked);
    QCOMPARE(list->item(1, 2)->checkState(), Qt::Unchecked);
    list->item(3, 2)->setCheckState(Qt::Unchecked);
    QCOMPARE(list->item(3, 2)->checkState(), Qt::Checked);

    list->selectRow(3);
    menuEntry(dialog, QStringLiteral("上移"))->trigger();
    list->selectRow(3);
    menuEntry(dialog, QStringLiteral("删除选中模板"))->trigger();

    const auto result = dialog.editedList();
    QCOMPARE(namesOf(result),
             (QStringList{QStringLiteral("系统模板"), QStringLiteral("甲"), QStringLiteral("丙")}));
    QCOMPARE(result.chosenName, std::string("丙"));
    QCOMPARE(list->item(2, 1)->text(), QStringLiteral("丙"));
    QCOMPARE(list->item(2, 0)->text(), QStringLiteral("3"));
}

void TemplateDialogTest::theSystemEditorKeepsNameAndIdAndRefusesABadForm() {
    CToolsSysTemplateEditorDialog editor(systemTemplate());
    QVERIFY(field(editor, "edit3127")->isHidden());
    setField(editor, "edit3133", QString());
    editor.accept();
    QCOMPARE(editor.result(), int(QDialog::Rejected));
    QCOMPARE(prompter_->messages.at(0).text, QStringLiteral("模板设置不正确：没有输入“等待”名称"));

    setField(editor, "edit3133", QStringLiteral("等"));
    editor.findChild<QCheckBox*>(QStringLiteral("checkDispProfit"))->setChecked(false);
    editor.accept();
    QCOMPARE(editor.result(), int(QDialog::Accepted));
    QCOMPARE(editor.edited().TempletID, 1);
    QCOMPARE(editor.edited().TempletName, std::string("系统模板"));
    QCOMPARE(editor.edited().Wait, std::string("等"));
    QVERIFY(!editor.edited().DispProfit);
    QVERIFY(editor.edited().DispProfitCollect);
}

QTEST_MAIN(TemplateDialogTest)
#include "template_dialog_test.moc"
