#pragma once

#include <QString>
#include <QWidget>

#include "module_binding.h"

class QMenu;
class QSystemTrayIcon;

// The top-level window for the whole run: it holds the module's central window and the tray icon.
class CQuorlanDlg : public QWidget {
    Q_OBJECT
public:
    CQuorlanDlg(QString title, QString modulePath, QWidget* parent = nullptr);
    ~CQuorlanDlg() override;

    // Loads and starts the module; the tray icon follows once a first window has been painted.
    // False (after telling the user) when the module could not be started: the host then lives
    // on in the tray only.
    bool initialize();

    // Ends the run: the module first, while this window still exists.
    void exitProgram();

    // Shows the window again for a second start of the program.
    void activateFromSecondStart();

    QSystemTrayIcon* trayIcon() const { return tray_; }
    QWidget* moduleWindow() const { return moduleWnd_; }

    static constexpr int kBalloonMs = 3000;
    static constexpr int kMaxBalloonChars = 255;

signals:
    void exitRequested();

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // Empty when the module runs, otherwise what to tell the user.
    QString startModule();
    void createTray();
    void fitModuleWindow();
    void showTrayBalloon(const QString& text);
    void onTrayActivated(int reason);
    void rebuildTrayMenu();
    bool isLoggedIn() const;

    QString title_;
    QString modulePath_;
    ModuleBinding module_;
    bool moduleRunning_ = false;
    QWidget* moduleWnd_ = nullptr;
    QSystemTrayIcon* tray_ = nullptr;
    QMenu* trayMenu_ = nullptr;
};
