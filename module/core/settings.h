#pragma once

#include <string>

namespace quorstat {

// The user's local preferences of config.ini, with the values they start with before it is read.
struct Settings {
    // [Global]
    int tabIndexTotal = 0;
    int tabIndexMyPlan = 0;
    int tabIndexSharePlan = 0;
    bool myPlanUseSinglePos = false;
    bool myPlanBetByLocation = false;
    bool shareUserAttentionFront = false;
    int factorCycle = 0;
    bool shareUserTopOwn = true;

    // [SystemSettings]
    bool closeWndToSystemTray = false;
    bool minimizeToSystemTray = false;
    bool exitPrompt = true;
    bool unregPrompt = true;
    bool lotteryShowAnimation = true;
    bool lotteryPopupTrayTip = true;
    bool lotteryPlaySound = true;
    int lotteryPlaySoundType = 0;
    std::string lotteryNowSoundFile;
    bool lotteryPreTip = false;
    int lotteryPreTipSeconds = 60;
    std::string lotteryPreSoundFile;
    bool planStatBeforePasteClrEdit = true;
    bool planStatAfterSubmitClrEdit = true;
    int planPlanListPrePageCount = 0;
    bool planEndPlaySound = false;
    int shareUserListPrePageCount = 20;
    int sharePlanListPrePageCount = 0;
    int shareUserListSearchItemTmpRecordCount = 100;
    bool shareIsNewPlaySound = false;
    std::string shareFileNewPlaySound;
    bool shareEndPlaySound = false;
    bool planTextBlankLine = false;
    unsigned planTextFore = 0;
    unsigned planTextBack = 15921906;  // RGB(242, 242, 242), red in the lowest byte

    // The plan-text editor font, one Windows font description.
    struct LogFont {
        int height = 19;
        int width = 0;
        int escapement = 0;
        int orientation = 0;
        int weight = 400;
        unsigned char italic = 0;
        unsigned char underline = 0;
        unsigned char strikeOut = 0;
        unsigned char charSet = 1;
        unsigned char outPrecision = 2;
        unsigned char clipPrecision = 1;
        unsigned char quality = 0;
        unsigned char pitchAndFamily = 0;
        std::string faceName = "微软雅黑";

        bool operator==(const LogFont&) const = default;
    } planTextFont;

    // [GroupingSettings]
    int groupMode = 0;
    int groupCount = 1;
    int userCountPerGroup = 1;
    int groupType = 0;
    int sameUserCount = 0;
    int errorInGroup = 0;

    // [DataBoxSettings]
    int dataBoxPosX = 0;
    int dataBoxPosY = 0;
    int dataBoxWndCX = 0;
    int dataBoxWndCY = 0;
    bool dataBoxShowAfterInto = true;
    bool dataBoxHideAfterSubmit = true;
    bool dataBoxToMyPlanAfterSubmit = false;
    bool planBoxClrBeforeInto = false;
    bool bigpBoxClrBeforeInto = false;

    bool operator==(const Settings&) const = default;
};

// The plan-text font defaults depend on the system generation the program runs on.
void ApplyPlanTextFontDefaults(Settings& settings, bool windowsXp);

}  // namespace quorstat
