#include "quorlan_app.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>

#include "core/app_paths.h"
#include "core/app_state.h"
#include "host_config.h"
#include "quorlan_dialog.h"
#include "release_check.h"
#include "single_instance_guard.h"
#include "ui/prompter.h"
#include "ui/qt_text.h"
#include "unix_signal_watcher.h"

CQuorlanApp::CQuorlanApp()
    : title(toQString(quorstat::kProductTitle)),
      version(toQString(quorstat::kProductVersion)),
      exeDir(QCoreApplication::applicationDirPath() + QLatin1Char('/')) {}

bool CQuorlanApp::handOffToUpdater() const {
    const auto paths = quorstat::AppPaths::ForAppDir(exeDir.toStdString());
    const ReleaseCheck check(ConfiguredUpdateServer(paths.settingsFile));
    if (!check.newerReleaseAvailable(version.toStdString()))
        return false;
    const QString upgrader = exeDir + QString::fromLatin1(quorstat::kUpgraderFileName);
    if (!QFileInfo::exists(upgrader) || !QProcess::startDetached(upgrader, {}, exeDir)) {
        Prompter::instance().message(nullptr, QStringLiteral("无法启动升级程序，请重新安装本软件"),
                                     Prompter::defaultCaption(), Prompter::Icon::Error);
    }
    return true;
}

int CQuorlanApp::run() {
    if (handOffToUpdater())
        return 0;
    // Watched before the instance socket appears, so a SIGTERM sent once it exists always ends the
    // program through its orderly exit.
    UnixSignalWatcher termination;
    SingleInstanceGuard guard(title);
    if (!guard.becomePrimary())
        return 0;

    QApplication::setQuitOnLastWindowClosed(false);
    CQuorlanDlg dialog(title, ModuleBinding::locate(exeDir));
    QObject::connect(&guard, &SingleInstanceGuard::showRequested, &dialog,
                     &CQuorlanDlg::activateFromSecondStart);
    QObject::connect(&dialog, &CQuorlanDlg::exitRequested, qApp, &QCoreApplication::quit);
    QObject::connect(&termination, &UnixSignalWatcher::terminationRequested, &dialog,
                     &CQuorlanDlg::exitProgram);
    dialog.initialize();
    return QApplication::exec();
}
