#include "module_binding.h"

#include <QDir>
#include <algorithm>

#include "core/install_layout.h"

namespace {

const QString kModuleName = QStringLiteral("Quorstat");

bool holdsModule(const QDir& dir) {
    const QStringList names = dir.entryList({kModuleName + QStringLiteral(".*")}, QDir::Files);
    return std::any_of(names.cbegin(), names.cend(), QLibrary::isLibrary);
}

}  // namespace

QString ModuleBinding::locate(const QString& exeDir) {
    const QDir beside(exeDir);
    const QDir installed(beside.filePath(QString::fromLatin1(quorstat::kInstalledModuleDir)));
    const QDir& chosen = !holdsModule(beside) && holdsModule(installed) ? installed : beside;
    return QDir::cleanPath(chosen.filePath(kModuleName));
}

template <typename Fn>
bool ModuleBinding::bind(Fn& slot, const char* name) {
    slot = reinterpret_cast<Fn>(library_.resolve(name));
    return slot != nullptr;
}

ModuleBinding::Result ModuleBinding::load(const QString& path) {
    library_.setFileName(path);
    if (!library_.load())
        return Result::LoadFailed;
    // Bind every export before judging, as a missing one of either group fails the load.
    const bool bound[] = {bind(init, "QST_Init"),
                          bind(exit, "QST_Exit"),
                          bind(run, "QST_Run"),
                          bind(isLogin, "QST_IsLogin"),
                          bind(logout, "QST_Logout"),
                          bind(getTrayFlag, "QST_GetTrayFlag"),
                          bind(getExitFlag, "QST_GetExitFlag"),
                          bind(showDataBox, "QST_ShowDataBox"),
                          bind(preTranslateMessage, "QST_DllPreTranslateMessage")};
    for (const bool ok : bound) {
        if (!ok) {
            unload();
            return Result::ExportMissing;
        }
    }
    return Result::Loaded;
}

void ModuleBinding::unload() {
    if (library_.isLoaded())
        library_.unload();
    init = nullptr;
    run = nullptr;
    exit = nullptr;
    getExitFlag = nullptr;
    isLogin = nullptr;
    logout = nullptr;
    getTrayFlag = nullptr;
    showDataBox = nullptr;
    preTranslateMessage = nullptr;
}
