#pragma once

#include <QDialog>

#include "core/qq_send_config.h"
#include "templates/send_settings_form.h"

class QCheckBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QStackedWidget;
class QTreeWidget;
class QTreeWidgetItem;

// The QQ send settings: "QQ群发设置" edits the general settings used by plan sends, "自定义群发"
// the custom settings, with a text to send. Works on a copy; the opener takes settings() on OK.
class CToolsQQSettingSubDialog : public QDialog {
    Q_OBJECT
public:
    enum class Mode { General, Custom };

    CToolsQQSettingSubDialog(Mode mode, const quorstat::tagCONFIG_QQSEND& settings,
                             QWidget* parent = nullptr);

    Mode mode() const { return mode_; }
    const quorstat::tagCONFIG_QQSEND& settings() const { return settings_; }

    // Entries and lists into settings(); shows the problem, if any, and returns false then.
    bool collect();
    // A custom send has ended and the settings ask to close: collect, then close with OK.
    void closeAfterSend();

    void accept() override;

    // The window lists from the windows open now (button "刷新").
    void refreshWindows();
    // Shortcut files chosen in a file dialog (button "导入快捷方式").
    void importShortcuts();

signals:
    // "发送": settings() holds the collected entries; `text` is trimmed and not empty.
    void sendRequested(const QString& text);

private:
    void buildControls();
    QWidget* buildShortcutPage();
    QWidget* buildWindowPage();
    QWidget* buildSignaturePage();
    QWidget* buildCustomTextPage();
    void fillLists();
    void takeChecks();
    quorstat::SendSettingsEntries entries() const;
    void updateEnabling();
    void send();
    void forbidWindow(int row);
    void allowWindow(int row);
    void removeShortcut();
    void clearShortcuts();
    void editSignature(bool isNew);
    void removeSignature();
    void clearSignatures();
    void signatureTicked(QTreeWidgetItem* item, int column);
    bool ask(const QString& question);

    Mode mode_;
    quorstat::tagCONFIG_QQSEND settings_;
    quorstat::SendSettingsForm form_;

    QRadioButton* shortcutMode_ = nullptr;
    QRadioButton* windowMode_ = nullptr;
    QLineEdit* interval_ = nullptr;
    QCheckBox* sendAfterSubmit_ = nullptr;
    QCheckBox* minimiseAfterSend_ = nullptr;
    QCheckBox* keepOpenWindows_ = nullptr;
    QCheckBox* useGeneral_ = nullptr;
    QCheckBox* closeAfterSend_ = nullptr;
    QPushButton* refresh_ = nullptr;
    QPushButton* import_ = nullptr;
    QStackedWidget* targets_ = nullptr;
    QTreeWidget* shortcuts_ = nullptr;
    QTreeWidget* enabledWindows_ = nullptr;
    QTreeWidget* disabledWindows_ = nullptr;
    QTreeWidget* signatures_ = nullptr;
    QPlainTextEdit* text_ = nullptr;
};
