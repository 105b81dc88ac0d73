#include "platform/desktop_shell.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QUrl>

namespace {

Shell* installed = nullptr;

}  // namespace

Shell& Shell::instance() {
    static DesktopShell desktop;
    return installed ? *installed : desktop;
}

void Shell::install(Shell* shell) { installed = shell; }

bool DesktopShell::openUrl(const QString& url) {
    return QDesktopServices::openUrl(QUrl(url, QUrl::TolerantMode));
}

bool DesktopShell::startProgram(const QString& program, const QStringList& arguments) {
    return QProcess::startDetached(program, arguments, QFileInfo(program).absolutePath());
}
