#pragma once

#include <ctime>
#include <string>
#include <string_view>

#include "console/draw_state.h"
#include "console/template_list.h"
#include "core/app_paths.h"
#include "core/qq_send_config.h"
#include "core/saved_accounts.h"
#include "core/settings.h"
#include "core/window_filter.h"
#include "plan/play_state.h"

namespace quorstat {

inline constexpr std::string_view kProductTitle = "『Norvane』投注统计系统";
inline constexpr std::string_view kProductVersion = "2.8.1";
inline constexpr std::string_view kServerPath = "/BetInfo1/release/";
inline constexpr int kDefaultLotteryId = 1010;
inline constexpr int kDefaultPlayId = 1302;

// How often the timers refresh, in milliseconds; the service replaces these per user.
struct RefreshIntervals {
    int serverTime = 30000;
    int betNum = 10000;
    int userList = 35000;
    int planList = 15000;
    int fansCount = 60000;
    int topHtml = 600000;
    int topHtmlCount = 10;  // not part of the service's interval text
    int ownPlanAfterBetNum = 5000;
};

// Everything the module keeps beyond one window that needs no window system.
class AppState {
public:
    AppState();

    bool isLoggedIn() const { return !sessionToken.empty(); }

    // Clears the caches of one login; the account fields stay.
    void ResetSession();

    // Start-up: saved accounts, settings, the two send files, the window filter.
    void LoadFilesAtStartup();
    // End: settings, then the two send files.
    void SaveFilesAtEnd();

    // Each writes its file whole through a temporary file; false when that failed.
    bool SaveSettings() const;
    bool SaveSavedAccounts() const;  // after a login from the login dialog
    bool SaveSendConfigs() const;    // when the send settings change
    bool SaveWindowFilter() const;   // when a filter arrives from the service

    // One line in the diagnostic log; callers write only while their switch is on.
    void AppendLog(std::string_view text) const;

    // Endpoint of the service.
    std::string serverHost;
    int serverPort = 80;
    std::string serverPath{kServerPath};

    // Environment, sent at login.
    int osMajor = 0;
    int osMinor = 0;
    bool windowsXp = false;  // the XP-era plan-text font and geometry; never on Linux
    int screenWidth = 0;
    int screenHeight = 0;
    std::string machineLabel;

    AppPaths paths;

    // Login state: logged in exactly while sessionToken is non-empty.
    std::string userName;
    std::string password;
    std::string sessionToken;
    std::string pendingUserName;  // a saved name for the next login dialog
    int tailPersonal = 0;
    int tailMode = 0;
    bool adminMenus = false;

    int runLotteryArg = 0;
    int lotteryId = kDefaultLotteryId;
    int playId = kDefaultPlayId;

    RefreshIntervals intervals;
    Settings settings;

    SavedAccounts savedAccounts;         // "ud.dat"
    tagCONFIG_QQSEND generalSendConfig;  // "qs.dat", for plan sends
    tagCONFIG_QQSEND customSendConfig;   // "qsc.dat", for custom sends
    WindowFilter windowFilter;           // "qwf.dat"

    // The lottery clock and draws, and the lottery and play rules in force.
    DrawState draw;
    PlayState play;
    // Whether the user shares his plans of the current lottery and play.
    bool shareFlag = false;
    int userInfoId = 0;
    std::string intervalStamp;  // of the refresh intervals, sent back as "ModifyTime"

    bool logServerTimeExchange = false;
    bool logDrawNumberExchange = false;

    TemplateList templates;
    // The template every login starts with.
    std::string currentTemplateName;
    static constexpr std::string_view kSystemTemplateName = "系统模板";
};

std::string FormatLogLine(std::time_t localTime, std::time_t serverTime, std::string_view text);

}  // namespace quorstat
