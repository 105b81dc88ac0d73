#pragma once

#include <QLibrary>
#include <QString>

#include "core/quorstat_api.h"

// The loaded module and its nine entry points, bound by name.
class ModuleBinding {
public:
    enum class Result { Loaded, LoadFailed, ExportMissing };

    // The module beside the program, or in the private library directory of an installed copy.
    // Beside wins; with neither, the path beside, so that loading it fails as usual.
    static QString locate(const QString& exeDir);

    Result load(const QString& path);
    void unload();
    bool isLoaded() const { return library_.isLoaded(); }

    QstInitFn init = nullptr;
    QstRunFn run = nullptr;
    QstExitFn exit = nullptr;
    QstGetExitFlagFn getExitFlag = nullptr;
    QstIsLoginFn isLogin = nullptr;
    QstLogoutFn logout = nullptr;
    QstGetTrayFlagFn getTrayFlag = nullptr;
    QstShowDataBoxFn showDataBox = nullptr;
    QstDllPreTranslateMessageFn preTranslateMessage = nullptr;

private:
    template <typename Fn>
    bool bind(Fn& slot, const char* name);

    QLibrary library_;
};
