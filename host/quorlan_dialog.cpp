#include "quorlan_dialog.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QSystemTrayIcon>
#include <QWindow>

#include "ui/prompter.h"
#include "ui/wait_cursor.h"

namespace {

constexpr int kLogoutCommand = 0xF001;
constexpr int kExitCommand = 0xF002;

void tellUser(QWidget* parent, const QString& text) {
    Prompter::instance().message(parent, text);
}

bool isDataBoxKey(const QKeyEvent& key) {
    return key.modifiers().testFlag(Qt::ControlModifier) &&
           (key.key() == Qt::Key_Q || key.key() == Qt::Key_F2);
}

}  // namespace

CQuorlanDlg::CQuorlanDlg(QString title, QString modulePath, QWidget* parent)
    : QWidget(parent), title_(std::move(title)), modulePath_(std::move(modulePath)) {
    setObjectName(QStringLiteral("quorlanDialog"));
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, QColor(250, 250, 250));
    setPalette(colours);
    setWindowIcon(QIcon(QStringLiteral(":/images/app_icon.png")));
    setWindowTitle(title_);
}

CQuorlanDlg::~CQuorlanDlg() {
    qApp->removeEventFilter(this);
    // The module's windows must be gone before its code is unloaded.
    if (moduleRunning_)
        module_.exit();
    if (tray_)
        tray_->hide();
    module_.unload();
}

bool CQuorlanDlg::initialize() {
    // The module sizes, centres and shows this window itself.
    setGeometry(0, 0, 0, 0);
    qApp->installEventFilter(this);
    const QString failure = startModule();
    if (failure.isEmpty())
        return true;
    // Without a module nothing else is painted: the tray, the way out, comes at once.
    createTray();
    tellUser(this, failure);
    return false;
}

void CQuorlanDlg::createTray() {
    if (tray_)
        return;
    tray_ = new QSystemTrayIcon(windowIcon(), this);
    tray_->setToolTip(title_.left(127));
    trayMenu_ = new QMenu(this);
    tray_->setContextMenu(trayMenu_);
    connect(trayMenu_, &QMenu::aboutToShow, this, &CQuorlanDlg::rebuildTrayMenu);
    connect(tray_, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) { onTrayActivated(reason); });
    rebuildTrayMenu();
    tray_->show();
}

QString CQuorlanDlg::startModule() {
    switch (module_.load(modulePath_)) {
        case ModuleBinding::Result::LoadFailed:
            return QStringLiteral("加载投注统计模块失败");
        case ModuleBinding::Result::ExportMissing:
            return QStringLiteral("加载投注统计模块失败，请重新安装本软件");
        case ModuleBinding::Result::Loaded:
            break;
    }
    char title[kQstTextBufferSize] = {};
    char version[kQstTextBufferSize] = {};
    module_.init(title, version);
    setWindowTitle(title_);
    const std::intptr_t handle = module_.run(this, nullptr, nullptr, 0);
    if (handle == 0) {
        module_.exit();
        module_.unload();
        return QStringLiteral("初始化投注统计模块失败");
    }
    moduleRunning_ = true;
    moduleWnd_ = reinterpret_cast<QWidget*>(handle);
    fitModuleWindow();
    return {};
}

void CQuorlanDlg::exitProgram() {
    WaitCursor wait;
    if (moduleRunning_) {
        moduleRunning_ = false;
        moduleWnd_ = nullptr;
        module_.exit();
    }
    hide();
    emit exitRequested();
}

void CQuorlanDlg::activateFromSecondStart() {
    if (isMinimized())
        showNormal();
    else
        show();
    raise();
    activateWindow();
}

bool CQuorlanDlg::isLoggedIn() const {
    return moduleRunning_ && module_.isLogin() != 0;
}

void CQuorlanDlg::fitModuleWindow() {
    if (moduleWnd_)
        moduleWnd_->setGeometry(rect());
}

bool CQuorlanDlg::event(QEvent* event) {
    switch (static_cast<int>(event->type())) {
        case static_cast<int>(HostEvent::Exit):
        case static_cast<int>(HostEvent::Exit2):
            exitProgram();
            return true;
        case static_cast<int>(HostEvent::Balloon):
            showTrayBalloon(QString::fromUtf8(static_cast<HostBalloonEvent*>(event)->text()));
            return true;
        default:
            return QWidget::event(event);
    }
}

bool CQuorlanDlg::eventFilter(QObject* watched, QEvent* event) {
    // The tray icon takes a few milliseconds to set up, which the first window need not wait for.
    if (!tray_ && event->type() == QEvent::Paint)
        QMetaObject::invokeMethod(this, &CQuorlanDlg::createTray, Qt::QueuedConnection);
    if (!moduleRunning_ || event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    if (isLoggedIn() && isDataBoxKey(*static_cast<QKeyEvent*>(event))) {
        module_.showDataBox();
        return true;
    }
    QstMessage message{watched, event};
    return module_.preTranslateMessage(&message) != 0;
}

void CQuorlanDlg::closeEvent(QCloseEvent* event) {
    event->ignore();
    WaitCursor wait;
    if (isLoggedIn()) {
        switch (module_.getExitFlag()) {
            case kQstHideToTray:
                hide();
                return;
            case kQstCancelled:
                return;
            default:
                break;
        }
    }
    exitProgram();
}

void CQuorlanDlg::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange || !isMinimized() || !moduleRunning_)
        return;
    int minimizeToTray = 0;
    int closeToTray = 0;
    int exitPrompt = 0;
    module_.getTrayFlag(&minimizeToTray, &closeToTray, &exitPrompt);
    if (minimizeToTray)
        hide();
}

void CQuorlanDlg::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    fitModuleWindow();
}

void CQuorlanDlg::showTrayBalloon(const QString& text) {
    if (tray_)
        tray_->showMessage(QString(), text.left(kMaxBalloonChars), QIcon(), kBalloonMs);
}

void CQuorlanDlg::onTrayActivated(int reason) {
    if (reason != QSystemTrayIcon::Trigger)
        return;
    if (isLoggedIn())
        showMaximized();
    else
        showNormal();
    raise();
    activateWindow();
}

void CQuorlanDlg::rebuildTrayMenu() {
    trayMenu_->clear();
    if (isLoggedIn()) {
        trayMenu_
            ->addAction(QStringLiteral("注销用户"), this,
                        [this] {
                            WaitCursor wait;
                            module_.logout();
                        })
            ->setData(kLogoutCommand);
    }
    trayMenu_->addAction(QStringLiteral("退出程序"), this, &CQuorlanDlg::exitProgram)
        ->setData(kExitCommand);
}
