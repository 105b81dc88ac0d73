#include "core/app_state.h"

#include <cstdio>
#include <fstream>

#include "core/text_codec.h"

namespace quorstat {
namespace {

std::string formatTime(std::time_t time) {
    std::tm parts{};
    localtime_r(&time, &parts);
    char buffer[64];
    std::strftime(buffer, sizeof buffer, "【%Y-%m-%d %H:%M:%S】  ", &parts);
    return buffer;
}

}  // namespace

AppState::AppState() : currentTemplateName(kSystemTemplateName) {}

void AppState::ResetSession() {
    currentTemplateName = std::string(kSystemTemplateName);
    templates = {};
    // A new login must not announce the draws the previous one saw.
    draw.clearLottery();
    shareFlag = false;
    userInfoId = 0;
}

std::string FormatLogLine(std::time_t localTime, std::time_t serverTime, std::string_view text) {
    return "本地时间:" + formatTime(localTime) + "服务器时间:" + formatTime(serverTime) +
           std::string(text) + "\r\n";
}

void AppState::AppendLog(std::string_view text) const {
    std::ofstream out(paths.logFile, std::ios::app | std::ios::binary);
    if (!out)
        return;
    out << ToAnsi(FormatLogLine(std::time(nullptr), draw.serverTime, text));
}

}  // namespace quorstat
