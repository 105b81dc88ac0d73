#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/settings.h"
#include "core/sound_player.h"

namespace quorstat {

// What the settings dialog's controls hold. The three numbers are the edits' texts; a sound is a
// file name of the sound directory, empty for "Default".
struct SettingsForm {
    bool closeWndToSystemTray = false;
    bool minimizeToSystemTray = false;
    bool exitPrompt = false;
    bool unregPrompt = false;
    bool lotteryShowAnimation = false;
    bool lotteryPopupTrayTip = false;
    bool lotteryPlaySound = false;
    int lotteryPlaySoundType = 0;  // 0 "语音报号", 1 "提示音"
    std::string lotteryNowSoundFile;
    bool lotteryPreTip = false;
    std::string lotteryPreTipSeconds;
    std::string lotteryPreSoundFile;
    bool planStatBeforePasteClrEdit = false;
    bool planStatAfterSubmitClrEdit = false;
    std::string planPlanListPrePageCount;
    bool planEndPlaySound = false;
    std::string shareUserListPrePageCount;
    std::string sharePlanListPrePageCount;
    bool shareIsNewPlaySound = false;
    std::string shareFileNewPlaySound;
    bool shareEndPlaySound = false;
    bool planTextBlankLine = false;
    unsigned planTextFore = 0;
    unsigned planTextBack = 0;
    Settings::LogFont planTextFont;

    bool operator==(const SettingsForm&) const = default;
};

// The dialog opened on the live settings.
SettingsForm FormFromSettings(const Settings& settings);
// What "默认" puts into the dialog; Windows XP has a smaller plan-text font.
SettingsForm DefaultSettingsForm(bool windowsXp);

// Which governed controls may be used.
struct SettingsEnabled {
    bool soundTypeRadios = false;     // "语音报号" and "提示音"
    bool drawSoundChoice = false;     // the sound for new numbers
    bool preTipControls = false;      // the seconds and the sound before the draw
    bool newPlanSoundChoice = false;  // the sound for a new shared plan

    bool operator==(const SettingsEnabled&) const = default;
};
SettingsEnabled EnabledControls(const SettingsForm& form);

inline constexpr std::string_view kPreTipSecondsRefused = "开奖前提示秒数设置不正确，范围20-120";
inline constexpr int kPreTipSecondsMin = 20;
inline constexpr int kPreTipSecondsMax = 120;
inline constexpr int kUserPageCountMin = 5;
inline constexpr int kUserPageCountMax = 100;
inline constexpr int kPlanPageCountMax = 65535;

// "确定": the form's values go into `settings`, in the dialog's order. Pre-draw seconds outside
// 20..120 are refused with the returned message, and then nothing changes; page counts are
// corrected silently (plan lists: outside 0..65535 means no paging; users: 5..100).
std::optional<std::string_view> AcceptSettingsForm(const SettingsForm& form, Settings& settings);

// The "*.wav" files of the sound directory, sorted by name; the directory is made when missing.
std::vector<std::string> ListSoundFiles(const std::filesystem::path& soundDir);
// The entry showing a stored name: 1 + the first listed file of exactly that name, else 0
// ("Default").
int SoundChoiceIndex(const std::vector<std::string>& files, std::string_view storedName);
// What choosing an entry plays at once: the file, or the built-in sound for "Default".
SoundItem SoundPreview(const std::filesystem::path& soundDir, std::string_view fileName,
                       int builtInSound);

}  // namespace quorstat
