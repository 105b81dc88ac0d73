// The template manager against the stand-in service: what the user edits reaches the service, and
// the central window's picker follows the list the service then sends.
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

#include "console/console_dialog.h"
#include "console/login_controller.h"
#include "console/tools_login_dialog.h"
#include "console_test_support.h"
#include "scripted_prompter.h"
#include "service/service_app.h"
#include "templates/tools_template_dialog.h"

QST_API void QST_Init(char*, char*);
QST_API std::intptr_t QST_Run(void*, const char*, const char*, int);
QST_API void QST_Exit();

namespace {

// Notes the template requests (list, upload, delete, choice) as their replies come back.
class TemplateRequestLog : public quorstat::RequestHandler {
public:
    quorstat::RequestHandler* next = nullptr;
    std::vector<int> types;

    void OnRequestDone(quorstat::ServiceRequest& request) override {
        if (request.type >= quorstat::RequestType::TemplateList &&
            request.type <= quorstat::RequestType::TemplateSelect)
            types.push_back(request.type);
        next->OnRequestDone(request);
    }
    quorstat::RequestProgressView* loginProgressView() override {
        return next->loginProgressView();
    }
};

using Edit = std::function<void(CToolsTemplateDialog&)>;

void setField(QWidget& dialog, const char* name, const QString& text) {
    dialog.findChild<QLineEdit*>(QString::fromLatin1(name))->setText(text);
}

void click(QWidget& dialog, const char* name) {
    QTest::mouseClick(dialog.findChild<QPushButton*>(QString::fromLatin1(name)), Qt::LeftButton);
}

int rowNamed(CToolsTemplateDialog& manager, const QString& name) {
    const auto found = manager.list()->findItems(name, Qt::MatchExactly);
    return found.isEmpty() ? -1 : found.front()->row();
}

}  // namespace

class TemplateEndToEndTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void anAddedTemplateIsListedInThePicker();
    void aTemplateChosenInTheManagerIsPickedInTheWindow();
    void aRenamedTemplateKeepsBeingTheOneInUse();
    void aDeletedTemplateLeavesThePicker();

private:
    CQuorstatApp& app() { return CQuorstatApp::instance(); }
    CConsoleDialog& console() { return *app().console; }
    QComboBox& picker() { return *console().templatePicker(); }
    QStringList pickerNames();
    // Opens the manager with the window's button, makes the edit and presses OK.
    void editTemplates(const Edit& edit);

    QTemporaryDir dir_;
    std::unique_ptr<quorstat::service::ServiceApp> service_;
    ScriptedPrompter prompter_;
    BalloonHost host_;
    TemplateRequestLog log_;
};

void TemplateEndToEndTest::initTestCase() {
    quorstat::service::ServiceOptions options;
    options.port = 0;
    options.databasePath = dir_.filePath(QStringLiteral("service.db")).toStdString();
    options.clockStart = quorstat::service::parseDateTime("2013-05-01 09:15:00");
    options.clockSpeed = 0.0;
    options.seed = 11;
    service_ = std::make_unique<quorstat::service::ServiceApp>(options);
    QVERIFY(service_->start());
    qputenv("QUORSTAT_DATA_DIR", dir_.filePath(QStringLiteral("Data")).toUtf8());
    qputenv("QUORSTAT_SERVER", "127.0.0.1:" + QByteArray::number(service_->port()));
    char title[kQstTextBufferSize];
    char version[kQstTextBufferSize];
    QST_Init(title, version);
    QVERIFY(QST_Run(&host_, "demo", "demo123", 1010) != 0);
    QTRY_VERIFY_WITH_TIMEOUT(app().isLoggedIn(), 10000);
    QTRY_VERIFY_WITH_TIMEOUT(!app().templates.stamp.empty(), 10000);
    QCOMPARE(pickerNames(), QStringList{QStringLiteral("系统模板")});
    log_.next = app().requestHandler;
    app().requestHandler = &log_;
}

void TemplateEndToEndTest::cleanupTestCase() {
    app().requestHandler = log_.next;
    QST_Exit();
    service_->stop();
}

QStringList TemplateEndToEndTest::pickerNames() {
    QStringList names;
    for (int i = 0; i < picker().count(); ++i)
        names << picker().itemText(i);
    return names;
}

void TemplateEndToEndTest::editTemplates(const Edit& edit) {
    log_.types.clear();
    prompter_.dialogScripts.push_back([edit](QDialog& dialog) {
        auto& manager = dynamic_cast<CToolsTemplateDialog&>(dialog);
        edit(manager);
        manager.accept();
        return manager.result();
    });
    auto* button = console().findChild<QPushButton*>(QStringLiteral("templateManagerButton"));
    QVERIFY(button->isEnabled());
    QTest::mouseClick(button, Qt::LeftButton);
    QVERIFY(prompter_.dialogScripts.empty());
}

void TemplateEndToEndTest::anAddedTemplateIsListedInThePicker() {
    editTemplates([](CToolsTemplateDialog& manager) {
        setField(manager, "edit3127", QStringLiteral("周末"));
        setField(manager, "edit3130", QStringLiteral("红"));
        click(manager, "button3175");
    });
    namespace Type = quorstat::RequestType;
    QTRY_COMPARE_WITH_TIMEOUT(log_.types, (std::vector<int>{Type::TemplateAdd, Type::TemplateList}),
                              10000);
    QCOMPARE(pickerNames(), (QStringList{QStringLiteral("系统模板"), QStringLiteral("周末")}));
    QCOMPARE(picker().currentText(), QStringLiteral("系统模板"));
    QCOMPARE(app().templates.items[1].Win, std::string("红"));
    QVERIFY(app().templates.items[1].TempletID > 1);
}

void TemplateEndToEndTest::aTemplateChosenInTheManagerIsPickedInTheWindow() {
    editTemplates([](CToolsTemplateDialog& manager) {
        manager.list()
            ->item(rowNamed(manager, QStringLiteral("周末")), 2)
            ->setCheckState(Qt::Checked);
    });
    namespace Type = quorstat::RequestType;
    QTRY_COMPARE_WITH_TIMEOUT(log_.types,
                              (std::vector<int>{Type::TemplateList, Type::TemplateSelect}), 10000);
    QCOMPARE(picker().currentText(), QStringLiteral("周末"));
    QCOMPARE(app().currentTemplateName, std::string("周末"));
    QVERIFY(app().templates.pendingName.empty());
}

void TemplateEndToEndTest::aRenamedTemplateKeepsBeingTheOneInUse() {
    editTemplates([](CToolsTemplateDialog& manager) {
        manager.list()->selectRow(rowNamed(manager, QStringLiteral("周末")));
        setField(manager, "edit3127", QStringLiteral("周日"));
        click(manager, "button3178");
    });
    namespace Type = quorstat::RequestType;
    QTRY_COMPARE_WITH_TIMEOUT(
        log_.types,
        (std::vector<int>{Type::TemplateChange, Type::TemplateList, Type::TemplateSelect}), 10000);
    QCOMPARE(pickerNames(), (QStringList{QStringLiteral("系统模板"), QStringLiteral("周日")}));
    QCOMPARE(picker().currentText(), QStringLiteral("周日"));
}

void TemplateEndToEndTest::aDeletedTemplateLeavesThePicker() {
    editTemplates([](CToolsTemplateDialog& manager) {
        manager.list()->selectRow(rowNamed(manager, QStringLiteral("周日")));
        click(manager, "button3179");
    });
    namespace Type = quorstat::RequestType;
    QTRY_COMPARE_WITH_TIMEOUT(
        log_.types,
        (std::vector<int>{Type::TemplateDelete, Type::TemplateList, Type::TemplateSelect}), 10000);
    QCOMPARE(pickerNames(), QStringList{QStringLiteral("系统模板")});
    QCOMPARE(app().currentTemplateName, std::string("系统模板"));
}

QTEST_MAIN(TemplateEndToEndTest)
#include "template_e2e_test.moc"
