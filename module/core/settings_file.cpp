#include "core/settings_file.h"

#include <optional>
#include <string>
#include <string_view>

#include "core/text_codec.h"

namespace quorstat {
namespace {

// A value outside [min, max] is replaced by `fallback`.
struct Range {
    int min;
    int max;
    int fallback;
};

constexpr std::size_t kStringBytes = 259;   // a 260-byte buffer with its terminator
constexpr std::size_t kFaceNameBytes = 31;  // the face name field of a font description

class KeyReader {
public:
    explicit KeyReader(const IniDocument& ini) : ini_(ini) {}

    void section(std::string_view name) { section_ = name; }
    void integer(std::string_view key, int& value, int fallback,
                 std::optional<Range> range = std::nullopt) {
        value = ini_.getInt(section_, key, fallback);
        if (range && (value < range->min || value > range->max))
            value = range->fallback;
    }
    void flag(std::string_view key, bool& value, bool fallback) {
        value = ini_.getInt(section_, key, fallback ? 1 : 0) != 0;
    }
    void colour(std::string_view key, unsigned& value, unsigned fallback) {
        value = static_cast<unsigned>(ini_.getInt(section_, key, static_cast<int>(fallback)));
    }
    void byte(std::string_view key, unsigned char& value, unsigned char fallback) {
        value = static_cast<unsigned char>(ini_.getInt(section_, key, fallback));
    }
    void text(std::string_view key, std::string& value, std::string_view fallback,
              std::size_t maxBytes = kStringBytes) {
        value = TruncateAnsi(ini_.getString(section_, key, fallback), maxBytes);
    }

private:
    const IniDocument& ini_;
    std::string_view section_;
};

class KeyWriter {
public:
    explicit KeyWriter(IniDocument& ini) : ini_(ini) {}

    void section(std::string_view name) { section_ = name; }
    void integer(std::string_view key, int value, int, std::optional<Range> = std::nullopt) {
        ini_.setInt(section_, key, value);
    }
    void flag(std::string_view key, bool value, bool) { ini_.setInt(section_, key, value ? 1 : 0); }
    void colour(std::string_view key, unsigned value, unsigned) {
        ini_.setInt(section_, key, static_cast<int>(value));
    }
    void byte(std::string_view key, unsigned char value, unsigned char) {
        ini_.setInt(section_, key, value);
    }
    void text(std::string_view key, const std::string& value, std::string_view,
              std::size_t = kStringBytes) {
        ini_.setString(section_, key, value);
    }

private:
    IniDocument& ini_;
    std::string_view section_;
};

Settings::LogFont planTextFontDefaults(bool windowsXp) {
    Settings settings;
    ApplyPlanTextFontDefaults(settings, windowsXp);
    return settings.planTextFont;
}

// The one list of keys, in file order, shared by reading and writing. `S` is Settings or
// const Settings; windowsXp matters to reading only.
template <typename Visitor, typename S, typename Id>
void visitKeys(Visitor& v, S& s, Id& lotteryId, Id& playId, bool windowsXp) {
    v.section("Global");
    v.integer("LottID", lotteryId, 0, Range{1010, 1015, 1010});
    v.integer("PlayID", playId, 0, Range{1301, 1311, 1302});
    v.integer("TabIndexTotal", s.tabIndexTotal, 0, Range{0, 1, 0});
    v.integer("TabIndexMyPlan", s.tabIndexMyPlan, 0, Range{0, 1, 0});
    v.integer("TabIndexSharePlan", s.tabIndexSharePlan, 0, Range{0, 1, 0});
    v.flag("MyPlanUseSinglePos", s.myPlanUseSinglePos, false);
    v.flag("MyPlanBetByLocation", s.myPlanBetByLocation, false);
    v.flag("ShareUser_AttentionFront", s.shareUserAttentionFront, false);
    v.integer("FactorCycle", s.factorCycle, 0);
    v.flag("ShareUser_TopOwn", s.shareUserTopOwn, false);

    v.section("SystemSettings");
    v.flag("CloseWndToSystemTray", s.closeWndToSystemTray, false);
    v.flag("MinimizeToSystemTray", s.minimizeToSystemTray, false);
    v.flag("ExitPrompt", s.exitPrompt, true);
    v.flag("UnregPrompt", s.unregPrompt, true);
    v.flag("LotteryShowAnimation", s.lotteryShowAnimation, true);
    v.flag("LotteryPopupTrayTip", s.lotteryPopupTrayTip, true);
    v.flag("LotteryPlaySound", s.lotteryPlaySound, true);
    v.integer("LotteryPlaySoundType", s.lotteryPlaySoundType, 0, Range{0, 1, 0});
    v.text("LotteryNowSoundFile", s.lotteryNowSoundFile, "");
    v.flag("LotteryPreTip", s.lotteryPreTip, false);
    v.integer("LotteryPreTipSeconds", s.lotteryPreTipSeconds, 0, Range{20, 120, 60});
    v.text("LotteryPreSoundFile", s.lotteryPreSoundFile, "");
    v.flag("Plan_Stat_BeforePasteClrEdit", s.planStatBeforePasteClrEdit, true);
    v.flag("Plan_Stat_AfterSubmitClrEdit", s.planStatAfterSubmitClrEdit, true);
    v.integer("Plan_PlanList_PrePageCount", s.planPlanListPrePageCount, 0, Range{0, 65535, 0});
    v.flag("Plan_EndPlaySound", s.planEndPlaySound, false);
    // The settings dialog stores up to 100 users a page; reading keeps what it stored.
    v.integer("Share_UserList_PrePageCount", s.shareUserListPrePageCount, 20, Range{5, 100, 20});
    v.integer("Share_PlanList_PrePageCount", s.sharePlanListPrePageCount, 0, Range{0, 65535, 0});
    v.integer("Share_UserListSearch_ItemTmpRecordCount", s.shareUserListSearchItemTmpRecordCount,
              100, Range{1, 65535, 100});
    v.flag("Share_IsNewPlaySound", s.shareIsNewPlaySound, false);
    v.text("Share_FileNewPlaySound", s.shareFileNewPlaySound, "");
    v.flag("Share_EndPlaySound", s.shareEndPlaySound, false);
    v.flag("PlanTextBlankLine", s.planTextBlankLine, false);
    v.colour("PlanTextFore", s.planTextFore, 0);
    v.colour("PlanTextBack", s.planTextBack, 15921906);

    const Settings::LogFont fontDefaults = planTextFontDefaults(windowsXp);
    auto& font = s.planTextFont;
    v.integer("PlanTextEditLogFont_Height", font.height, fontDefaults.height);
    v.integer("PlanTextEditLogFont_Width", font.width, 0);
    v.integer("PlanTextEditLogFont_Escapement", font.escapement, 0);
    v.integer("PlanTextEditLogFont_Orientation", font.orientation, 0);
    v.integer("PlanTextEditLogFont_Weight", font.weight, 400);
    v.byte("PlanTextEditLogFont_Italic", font.italic, 0);
    v.byte("PlanTextEditLogFont_Underline", font.underline, 0);
    v.byte("PlanTextEditLogFont_StrikeOut", font.strikeOut, 0);
    v.byte("PlanTextEditLogFont_CharSet", font.charSet, 1);
    v.byte("PlanTextEditLogFont_OutPrecision", font.outPrecision, 2);
    v.byte("PlanTextEditLogFont_ClipPrecision", font.clipPrecision, 1);
    v.byte("PlanTextEditLogFont_Quality", font.quality, 0);
    v.byte("PlanTextEditLogFont_PitchAndFamily", font.pitchAndFamily, 0);
    v.text("PlanTextEditLogFont_FaceName", font.faceName, fontDefaults.faceName, kFaceNameBytes);

    v.section("GroupingSettings");
    v.integer("GroupingSettings_GroupMode", s.groupMode, 0);
    v.integer("GroupingSettings_GroupCount", s.groupCount, 1);
    v.integer("GroupingSettings_UserCountPerG", s.userCountPerGroup, 1);
    v.integer("GroupingSettings_GroupType", s.groupType, 0);
    v.integer("GroupingSettings_SameUserCount", s.sameUserCount, 0);
    v.integer("GroupingSettings_ErrorInGroup", s.errorInGroup, 0);

    v.section("DataBoxSettings");
    v.integer("DataBoxSettings_PosX", s.dataBoxPosX, 0);
    v.integer("DataBoxSettings_PosY", s.dataBoxPosY, 0);
    v.integer("DataBoxSettings_WndCX", s.dataBoxWndCX, 0);
    v.integer("DataBoxSettings_WndCY", s.dataBoxWndCY, 0);
    v.flag("DataBoxSettings_DataBox_ShowAfterInto", s.dataBoxShowAfterInto, true);
    v.flag("DataBoxSettings_DataBox_HideAfterSubmit", s.dataBoxHideAfterSubmit, true);
    v.flag("DataBoxSettings_DataBox_ToMyPlanAfterSubmit", s.dataBoxToMyPlanAfterSubmit, false);
    v.flag("DataBoxSettings_PlanBox_ClrBeforeInto", s.planBoxClrBeforeInto, false);
    v.flag("DataBoxSettings_BigpBox_ClrBeforeInto", s.bigpBoxClrBeforeInto, false);
}

}  // namespace

void LoadSettings(const IniDocument& ini, bool windowsXp, Settings& settings, int& lotteryId,
                  int& playId) {
    KeyReader reader(ini);
    visitKeys(reader, settings, lotteryId, playId, windowsXp);
}

void StoreSettings(IniDocument& ini, const Settings& settings, int lotteryId, int playId) {
    KeyWriter writer(ini);
    visitKeys(writer, settings, lotteryId, playId, false);
}

}  // namespace quorstat
