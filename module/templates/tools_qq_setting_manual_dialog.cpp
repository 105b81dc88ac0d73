#include "templates/tools_qq_setting_manual_dialog.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace {

const char* const kShortcutManual =
    "<p><b>使用快捷方式</b>：群发时逐个打开QQ的聊天快捷方式，把文本粘贴到打开的聊天窗口并发送。</p>"
    "<ol>"
    "<li>在QQ里把要群发的好友或群“发送到桌面快捷方式”。</li>"
    "<li>点击“导入快捷方式”，选择这些 .lnk 文件（可以多选）；只有启动 QQScLauncher.exe "
    "的快捷方式会被导入，名称取快捷方式的文件名，它也是打开的聊天窗口的标题。</li>"
    "<li>勾选“允许”的快捷方式才会发送；勾选“自动关闭”的窗口如果是群发时打开的，发送后会关闭，"
    "已经打开的窗口不会关闭。</li>"
    "<li>"
    "打开一个快捷方式后最多等待约一秒半，窗口没有出现就停止群发，并提示“无法找到窗口，发送失败”。</"
    "li>"
    "</ol>";

const char* const kWindowManual =
    "<p><b>使用刷新方式</b>：群发时把文本发送到已经打开的QQ聊天窗口。</p>"
    "<ol>"
    "<li>先在QQ里打开要群发的聊天窗口（每个会话一个单独的窗口，合并的窗口不能群发）。</li>"
    "<li>点击“刷新”，打开的窗口会出现在“可用的QQ窗口”列表里；勾选“允许”的窗口才会发送。</li>"
    "<li>双击一个窗口，把它移到“禁用的QQ窗口”列表，它就永远不会收到群发；双击禁用的窗口可以移回。</"
    "li>"
    "<li>灰色的行是现在没有打开的窗口。</li>"
    "</ol>";

const char* const kCommonManual =
    "<p>“发送时间间隔”是两个窗口之间等待的秒数（0-10）。群发时程序会把文本放到剪贴板，"
    "依次把每个窗口提到最前、粘贴并按回车和Ctrl+回车发送，请不要在群发过程中操作键盘和鼠标。</p>"
    "<p>附加信息：启用的一行会加在方案文本的后面一起发送（自定义群发不加）。</p>";

QTextBrowser* page(const char* text, QWidget* parent) {
    auto* browser = new QTextBrowser(parent);
    browser->setHtml(QString::fromUtf8(text) + QString::fromUtf8(kCommonManual));
    return browser;
}

}  // namespace

CToolsQQSettingManualDialog::CToolsQQSettingManualDialog(bool shortcutMode, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(QStringLiteral("操作说明"));
    auto* tabs = new QTabWidget(this);
    tabs->addTab(page(kShortcutManual, tabs), QStringLiteral("使用快捷方式"));
    tabs->addTab(page(kWindowManual, tabs), QStringLiteral("使用刷新方式"));
    tabs->setCurrentIndex(shortcutMode ? 0 : 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->button(QDialogButtonBox::Close)->setText(QStringLiteral("关闭"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs);
    layout->addWidget(buttons);
    resize(560, 420);
}
