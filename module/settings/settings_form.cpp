#include "settings/settings_form.h"

#include <algorithm>
#include <string>

#include "core/ascii_case.h"
#include "core/ini_document.h"

namespace quorstat {
namespace {

constexpr std::string_view kWaveSuffix = ".wav";

// Plan lists: a count out of range means one page with everything.
int planPageCount(const std::string& text) {
    const int count = ParseProfileInt(text);
    return count < 0 || count > kPlanPageCountMax ? 0 : count;
}

bool isWaveName(const std::string& name) {
    return name.size() > kWaveSuffix.size() &&
           EqualsIgnoringCase(std::string_view(name).substr(name.size() - kWaveSuffix.size()),
                              kWaveSuffix);
}

}  // namespace

SettingsForm FormFromSettings(const Settings& s) {
    SettingsForm form;
    form.closeWndToSystemTray = s.closeWndToSystemTray;
    form.minimizeToSystemTray = s.minimizeToSystemTray;
    form.exitPrompt = s.exitPrompt;
    form.unregPrompt = s.unregPrompt;
    form.lotteryShowAnimation = s.lotteryShowAnimation;
    form.lotteryPopupTrayTip = s.lotteryPopupTrayTip;
    form.lotteryPlaySound = s.lotteryPlaySound;
    form.lotteryPlaySoundType = s.lotteryPlaySoundType;
    form.lotteryNowSoundFile = s.lotteryNowSoundFile;
    form.lotteryPreTip = s.lotteryPreTip;
    form.lotteryPreTipSeconds = std::to_string(s.lotteryPreTipSeconds);
    form.lotteryPreSoundFile = s.lotteryPreSoundFile;
    form.planStatBeforePasteClrEdit = s.planStatBeforePasteClrEdit;
    form.planStatAfterSubmitClrEdit = s.planStatAfterSubmitClrEdit;
    form.planPlanListPrePageCount = std::to_string(s.planPlanListPrePageCount);
    form.planEndPlaySound = s.planEndPlaySound;
    form.shareUserListPrePageCount = std::to_string(s.shareUserListPrePageCount);
    form.sharePlanListPrePageCount = std::to_string(s.sharePlanListPrePageCount);
    form.shareIsNewPlaySound = s.shareIsNewPlaySound;
    form.shareFileNewPlaySound = s.shareFileNewPlaySound;
    form.shareEndPlaySound = s.shareEndPlaySound;
    form.planTextBlankLine = s.planTextBlankLine;
    form.planTextFore = s.planTextFore;
    form.planTextBack = s.planTextBack;
    form.planTextFont = s.planTextFont;
    return form;
}

// The dialog's defaults differ from a missing file's in the page counts of the plan lists.
SettingsForm DefaultSettingsForm(bool windowsXp) {
    Settings defaults;
    ApplyPlanTextFontDefaults(defaults, windowsXp);
    SettingsForm form = FormFromSettings(defaults);
    form.planPlanListPrePageCount = "20";
    form.sharePlanListPrePageCount = "20";
    return form;
}

SettingsEnabled EnabledControls(const SettingsForm& form) {
    return {form.lotteryPlaySound, form.lotteryPlaySound && form.lotteryPlaySoundType == 1,
            form.lotteryPreTip, form.shareIsNewPlaySound};
}

std::optional<std::string_view> AcceptSettingsForm(const SettingsForm& form, Settings& settings) {
    Settings next = settings;
    next.closeWndToSystemTray = form.closeWndToSystemTray;
    next.minimizeToSystemTray = form.minimizeToSystemTray;
    next.exitPrompt = form.exitPrompt;
    next.unregPrompt = form.unregPrompt;
    next.lotteryShowAnimation = form.lotteryShowAnimation;
    next.lotteryPopupTrayTip = form.lotteryPopupTrayTip;
    next.lotteryPlaySound = form.lotteryPlaySound;
    next.lotteryPlaySoundType = form.lotteryPlaySoundType == 0 ? 0 : 1;
    next.lotteryPreTip = form.lotteryPreTip;

    const int seconds = ParseProfileInt(form.lotteryPreTipSeconds);
    if (seconds < kPreTipSecondsMin || seconds > kPreTipSecondsMax)
        return kPreTipSecondsRefused;
    next.lotteryPreTipSeconds = seconds;

    next.lotteryNowSoundFile = form.lotteryNowSoundFile;
    next.lotteryPreSoundFile = form.lotteryPreSoundFile;
    next.planStatBeforePasteClrEdit = form.planStatBeforePasteClrEdit;
    next.planStatAfterSubmitClrEdit = form.planStatAfterSubmitClrEdit;
    next.planPlanListPrePageCount = planPageCount(form.planPlanListPrePageCount);
    next.shareUserListPrePageCount = std::clamp(ParseProfileInt(form.shareUserListPrePageCount),
                                                kUserPageCountMin, kUserPageCountMax);
    next.sharePlanListPrePageCount = planPageCount(form.sharePlanListPrePageCount);
    next.shareIsNewPlaySound = form.shareIsNewPlaySound;
    next.shareFileNewPlaySound = form.shareFileNewPlaySound;
    next.planTextBlankLine = form.planTextBlankLine;
    next.planTextFont = form.planTextFont;
    next.planTextFore = form.planTextFore;
    next.planTextBack = form.planTextBack;
    next.planEndPlaySound = form.planEndPlaySound;
    next.shareEndPlaySound = form.shareEndPlaySound;
    settings = std::move(next);
    return std::nullopt;
}

std::vector<std::string> ListSoundFiles(const std::filesystem::path& soundDir) {
    std::error_code error;
    std::filesystem::create_directories(soundDir, error);
    std::vector<std::string> names;
    for (std::filesystem::directory_iterator it(soundDir, error), end; !error && it != end;
         it.increment(error)) {
        std::string name = it->path().filename().string();
        std::error_code typeError;
        if (isWaveName(name) && it->is_regular_file(typeError))
            names.push_back(std::move(name));
    }
    std::sort(names.begin(), names.end());
    return names;
}

int SoundChoiceIndex(const std::vector<std::string>& files, std::string_view storedName) {
    if (storedName.empty())
        return 0;
    const auto found = std::find(files.begin(), files.end(), storedName);
    return found == files.end() ? 0 : 1 + static_cast<int>(found - files.begin());
}

SoundItem SoundPreview(const std::filesystem::path& soundDir, std::string_view fileName,
                       int builtInSound) {
    SoundItem item;
    if (fileName.empty()) {
        item.kind = 1;
        item.resourceId = builtInSound;
    } else {
        item.filePath = (soundDir / fileName).string();
    }
    item.preview = true;
    return item;
}

}  // namespace quorstat
