#include "console/tools_login_dialog.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QDate>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>

#include "core/quorstat_app.h"
#include "ui/prompter.h"
#include "ui/qt_text.h"

namespace {

constexpr QSize kFallbackSize{600, 350};
constexpr int kAccountMenuBase = 0xF100;

const char* const kStyle = R"(
QLineEdit { border: 1px solid #c9b79c; border-radius: 4px; padding: 4px 8px; background: white;
            font-size: 14px; }
QLineEdit:focus { border-color: #b5541c; }
QPushButton#button3016 { background: #c0392b; color: white; border: none; border-radius: 4px;
                         font-size: 15px; font-weight: bold; }
QPushButton#button3016:hover { background: #d64535; }
QPushButton#button3016:disabled { background: #c9a49f; }
QPushButton#button3183 { border: 1px solid #c9b79c; border-radius: 4px; background: #f6efe4; }
QPushButton#button3027 { border: none; color: white; font-size: 18px; background: transparent; }
QPushButton#button3027:hover { color: #ffe0a0; }
QPushButton[link="true"] { border: none; color: #1d5fa8; background: transparent;
                           text-decoration: underline; }
QCheckBox { color: #5a4630; }
QLabel#status3186 { color: white; }
QLabel#buildLabel { color: rgba(255, 255, 255, 180); }
)";

QPushButton* linkButton(const QString& text, const char* name, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QLatin1String(name));
    button->setProperty("link", true);
    button->setCursor(Qt::PointingHandCursor);
    button->setFocusPolicy(Qt::TabFocus);
    return button;
}

}  // namespace

CToolsLoginDialog::CToolsLoginDialog(QList<SavedAccount> savedAccounts,
                                     const LoginPictures& pictures, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint),
      saved_(std::move(savedAccounts)),
      background_(QPixmap::fromImage(pictures.background)),
      freeBadge_(QPixmap::fromImage(pictures.badge)) {
    setObjectName(QStringLiteral("loginDialog3011"));
    setWindowTitle(toQString(quorstat::kProductTitle));
    setFixedSize(background_.isNull() ? kFallbackSize : background_.size());
    setStyleSheet(QLatin1String(kStyle));
    buildControls();
}

QString CToolsLoginDialog::initialStatus() {
    return QStringLiteral("请输入Velomar论坛用户名和密码登录");
}

QString CToolsLoginDialog::buildLabel(const char* buildDate) {
    const QDate date = QLocale::c().toDate(QString::fromLatin1(buildDate).simplified(),
                                           QStringLiteral("MMM d yyyy"));
    return QStringLiteral("Build %1%2%3")
        .arg(date.year(), 4, 10, QLatin1Char('0'))
        .arg(date.month(), 2, 10, QLatin1Char('0'))
        .arg(date.day(), 2, 10, QLatin1Char('0'));
}

void CToolsLoginDialog::buildControls() {
    userName_ = new QLineEdit(this);
    userName_->setObjectName(QStringLiteral("edit3015"));
    userName_->setPlaceholderText(QStringLiteral("用户名"));
    userName_->setGeometry(320, 92, 200, 32);
    connect(userName_, &QLineEdit::textEdited, this, &CToolsLoginDialog::onUserNameEdited);

    accounts_ = new QPushButton(QStringLiteral("▾"), this);
    accounts_->setObjectName(QStringLiteral("button3183"));
    accounts_->setGeometry(522, 92, 28, 32);
    accounts_->setFocusPolicy(Qt::NoFocus);
    connect(accounts_, &QPushButton::clicked, this, &CToolsLoginDialog::showAccountMenu);

    password_ = new QLineEdit(this);
    password_->setObjectName(QStringLiteral("edit3013"));
    password_->setPlaceholderText(QStringLiteral("密码"));
    password_->setEchoMode(QLineEdit::Password);
    password_->setGeometry(320, 134, 230, 32);

    remember_ = new QCheckBox(QStringLiteral("记住密码"), this);
    remember_->setObjectName(QStringLiteral("check3018"));
    remember_->setGeometry(320, 176, 100, 24);
    autoLogin_ = new QCheckBox(QStringLiteral("自动登录"), this);
    autoLogin_->setObjectName(QStringLiteral("check3020"));
    autoLogin_->setGeometry(450, 176, 100, 24);
    // Automatic login needs the password, so the two switches pull each other along.
    connect(remember_, &QCheckBox::toggled, this, [this](bool on) {
        if (!on)
            autoLogin_->setChecked(false);
    });
    connect(autoLogin_, &QCheckBox::toggled, this, [this](bool on) {
        if (on)
            remember_->setChecked(true);
    });

    login_ = new QPushButton(QStringLiteral("登录"), this);
    login_->setObjectName(QStringLiteral("button3016"));
    login_->setGeometry(320, 210, 230, 38);
    login_->setDefault(true);
    login_->setAutoDefault(true);
    connect(login_, &QPushButton::clicked, this, &CToolsLoginDialog::loginRequested);

    auto* recover = linkButton(QStringLiteral("密码找回"), "link3174", this);
    recover->setGeometry(316, 258, 80, 24);
    connect(recover, &QPushButton::clicked, this,
            [this] { emit linkRequested(QStringLiteral("NrvURL.asp?TYPE=FindPasswd")); });
    auto* reg = linkButton(QStringLiteral("免费注册"), "link3171", this);
    reg->setGeometry(474, 258, 80, 24);
    connect(reg, &QPushButton::clicked, this,
            [this] { emit linkRequested(QStringLiteral("NrvURL.asp?TYPE=BbsReg")); });

    auto* close = new QPushButton(QStringLiteral("✕"), this);
    close->setObjectName(QStringLiteral("button3027"));
    close->setGeometry(width() - 34, 6, 28, 28);
    close->setFocusPolicy(Qt::NoFocus);
    close->setToolTip(QStringLiteral("退出程序"));
    connect(close, &QPushButton::clicked, this, &CToolsLoginDialog::closeRequested);

    status_ = new QLabel(initialStatus(), this);
    status_->setObjectName(QStringLiteral("status3186"));
    status_->setGeometry(40, height() - 40, width() - 80, 24);

    auto* build = new QLabel(buildLabel(__DATE__), this);
    build->setObjectName(QStringLiteral("buildLabel"));
    build->setGeometry(42, 150, 160, 20);

    setTabOrder(userName_, password_);
    setTabOrder(password_, remember_);
    setTabOrder(remember_, autoLogin_);
    setTabOrder(autoLogin_, login_);
    userName_->setFocus();
}

void CToolsLoginDialog::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (background_.isNull())
        painter.fillRect(rect(), CQuorstatApp::instance().dialogBackground);
    else
        painter.drawPixmap(0, 0, background_);
    if (!freeBadge_.isNull())
        painter.drawPixmap(42, 122, freeBadge_);
}

QString CToolsLoginDialog::userName() const {
    return userName_->text();
}

QString CToolsLoginDialog::password() const {
    return password_->text();
}

void CToolsLoginDialog::setUserName(const QString& name) {
    userName_->setText(name);
    onUserNameEdited(name);
}

void CToolsLoginDialog::setPassword(const QString& password) {
    password_->setText(password);
}

bool CToolsLoginDialog::rememberPassword() const {
    return remember_->isChecked();
}

bool CToolsLoginDialog::autoLogin() const {
    return autoLogin_->isChecked();
}

void CToolsLoginDialog::setSwitches(bool rememberPassword, bool autoLogin) {
    remember_->setChecked(rememberPassword);
    autoLogin_->setChecked(autoLogin);
}

void CToolsLoginDialog::setStatus(const QString& text) {
    status_->setText(text);
}

void CToolsLoginDialog::showRequestProgress(const std::string& text) {
    setStatus(QString::fromStdString(text));
}

void CToolsLoginDialog::setLoginEnabled(bool enabled) {
    login_->setEnabled(enabled);
}

void CToolsLoginDialog::resetAfterFailure() {
    setLoginEnabled(true);
    setStatus(initialStatus());
}

QStringList CToolsLoginDialog::menuNames() const {
    QStringList names;
    for (auto account = saved_.crbegin(); account != saved_.crend(); ++account)
        names << account->userName;
    return names;
}

void CToolsLoginDialog::onUserNameEdited(const QString& text) {
    password_->clear();
    for (const auto& account : saved_) {
        if (account.userName == text)
            password_->setText(account.password);
    }
}

void CToolsLoginDialog::addAccountEntries(QMenu& menu, const QStringList& names) {
    for (int index = 0; index < names.size(); ++index)
        menu.addAction(names[index])->setData(kAccountMenuBase + index);
}

void CToolsLoginDialog::showAccountMenu() {
    if (saved_.isEmpty())
        return;
    QMenu menu(this);
    const QStringList names = menuNames();
    addAccountEntries(menu, names);
    const QPoint below = userName_->mapToGlobal(QPoint(0, userName_->height()));
    if (const QAction* chosen = Prompter::instance().popupMenu(menu, below))
        setUserName(chosen->text());
}

void CToolsLoginDialog::closeEvent(QCloseEvent* event) {
    event->ignore();
    emit closeRequested();
}

void CToolsLoginDialog::mousePressEvent(QMouseEvent* event) {
    dragOffset_ = event->globalPosition().toPoint() - frameGeometry().topLeft();
}

void CToolsLoginDialog::mouseMoveEvent(QMouseEvent* event) {
    if (event->buttons() & Qt::LeftButton)
        move(event->globalPosition().toPoint() - dragOffset_);
}
