#include "core/window_filter.h"

#include "core/archive_reader.h"
#include "core/archive_writer.h"

namespace quorstat {

WindowFilter DefaultWindowFilter() {
    return WindowFilter{
        .titles = {"TXMenuWindow", "QQ", "消息盒子", "电脑管家", "桌面快捷清理", "腾讯新闻",
                   "验证消息", "每日精选", "消息管理器", "腾讯视频", "FaceSelector", "LivePropsWnd",
                   "视频通话", "加速小火箭", "加速工具", "通用加速", "游戏加速", ""},
        .stamp = {},
        .value = 0,
        .extra = {}};
}

bool ReadWindowFilter(std::string_view bytes, WindowFilter& filter) {
    ArchiveReader reader(bytes);
    std::int32_t count = 0;
    if (!reader.expectMagic(kWindowFilterMagic) || !reader.readInt32(count))
        return false;
    filter.titles.clear();
    for (std::int32_t i = 0; i < count; ++i) {
        std::string title;
        if (!reader.readString(title))
            return false;
        filter.titles.push_back(std::move(title));
    }
    // A failed read fails every later one, so the fields after it keep what they held.
    reader.readString(filter.stamp);
    reader.readInt32(filter.value);
    reader.readString(filter.extra);
    return true;
}

std::string WriteWindowFilter(const WindowFilter& filter) {
    ArchiveWriter writer;
    writer.writeUInt32(kWindowFilterMagic);
    writer.writeInt32(static_cast<std::int32_t>(filter.titles.size()));
    for (const auto& title : filter.titles)
        writer.writeString(title);
    writer.writeString(filter.stamp);
    writer.writeInt32(filter.value);
    writer.writeString(filter.extra);
    return writer.bytes();
}

}  // namespace quorstat
