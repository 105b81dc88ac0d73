// A stand-in for the module that logs every call into the file named by FAKE_MODULE_LOG, and
// answers as the variables FAKE_LOGGED_IN, FAKE_EXIT_FLAG and FAKE_RUN_FAILS say.
#include <QWidget>
#include <cstdlib>
#include <fstream>
#include <string>

#include "core/quorstat_api.h"

namespace {

void log(const std::string& call) {
    if (const char* path = std::getenv("FAKE_MODULE_LOG"))
        std::ofstream(path, std::ios::app) << call << '\n';
}

int envInt(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::atoi(value) : 0;
}

QWidget* central = nullptr;

}  // namespace

QST_API void QST_Init(char*, char*) {
    log("init");
}

QST_API std::intptr_t QST_Run(void* host, const char*, const char*, int) {
    log("run");
    if (envInt("FAKE_RUN_FAILS"))
        return 0;
    central = new QWidget(static_cast<QWidget*>(host));
    return reinterpret_cast<std::intptr_t>(central);
}

QST_API void QST_Exit() {
    log("exit");
    delete central;
    central = nullptr;
}

QST_API int QST_IsLogin() {
    return envInt("FAKE_LOGGED_IN");
}

QST_API void QST_Logout() {
    log("logout");
}

QST_API void QST_GetTrayFlag(int* minimize, int* close, int* prompt) {
    *minimize = envInt("FAKE_MINIMIZE_TO_TRAY");
    *close = 0;
    *prompt = 1;
}

#ifndef FAKE_WITHOUT_EXIT_FLAG
QST_API int QST_GetExitFlag() {
    log("getExitFlag");
    return envInt("FAKE_EXIT_FLAG");
}
#endif

QST_API void QST_ShowDataBox() {
    log("showDataBox");
}

QST_API int QST_DllPreTranslateMessage(QstMessage*) {
    log("preTranslate");
    return 0;
}
