#include "core/send_config_file.h"

#include <optional>

#include "core/archive_reader.h"
#include "core/archive_writer.h"

namespace quorstat {
namespace {

// What each version of the file holds beyond the four leading settings.
struct Layout {
    bool modeFields;  // useGeneral, sendMode
    bool closeText;   // closeAfterSend
    bool signatures;  // signatures, signatureIndex
    bool fullItems;   // 4 integers and 4 strings per item; before: 3 and 3
};

std::optional<Layout> layoutFor(std::uint32_t magic) {
    switch (magic) {
        case kSendConfigMagic:
            return Layout{true, true, true, true};
        case kSendConfigMagicJuly:
            return Layout{true, true, false, true};
        case kSendConfigMagicJune:
            return Layout{false, false, false, false};
        default:
            return std::nullopt;
    }
}

bool readStringList(ArchiveReader& reader, std::vector<std::string>& list) {
    std::int32_t count = 0;
    if (!reader.readInt32(count))
        return false;
    list.clear();
    for (std::int32_t i = 0; i < count; ++i) {
        std::string text;
        if (!reader.readString(text))
            return false;
        list.push_back(std::move(text));
    }
    return true;
}

// A window handle from an earlier run names no window of this one.
bool readItem(ArchiveReader& reader, bool fullItems, QQITEM& item) {
    std::int32_t storedHandle = 0;
    const bool integers = reader.readInt32(item.targetKind) && reader.readInt32(item.allowed) &&
                          reader.readInt32(storedHandle) &&
                          (!fullItems || reader.readInt32(item.autoClose));
    return integers && reader.readString(item.windowTitle) &&
           reader.readString(item.shortcutFile) && reader.readString(item.arguments) &&
           (!fullItems || reader.readString(item.note));
}

void readItems(ArchiveReader& reader, bool fullItems, std::vector<QQITEM>& items) {
    std::int32_t count = 0;
    if (!reader.readInt32(count))
        return;
    items.clear();
    for (std::int32_t i = 0; i < count; ++i) {
        QQITEM item;
        if (!readItem(reader, fullItems, item))
            return;
        items.push_back(std::move(item));
    }
}

bool readSettings(ArchiveReader& reader, const Layout& layout, tagCONFIG_QQSEND& config) {
    return reader.readInt32(config.interval) && reader.readInt32(config.sendAfterSubmit) &&
           reader.readInt32(config.minimiseAfterSend) && reader.readInt32(config.keepOpenWindows) &&
           (!layout.modeFields ||
            (reader.readInt32(config.useGeneral) && reader.readInt32(config.sendMode))) &&
           (!layout.closeText || reader.readString(config.closeAfterSend)) &&
           (!layout.signatures ||
            (readStringList(reader, config.signatures) && reader.readInt32(config.signatureIndex)));
}

}  // namespace

bool ReadSendConfig(std::string_view bytes, tagCONFIG_QQSEND& config) {
    ArchiveReader reader(bytes);
    std::uint32_t magic = 0;
    if (!reader.readUInt32(magic))
        return false;
    const auto layout = layoutFor(magic);
    if (!layout)
        return false;
    if (readSettings(reader, *layout, config))
        readItems(reader, layout->fullItems, config.items);
    return true;
}

std::string WriteSendConfig(const tagCONFIG_QQSEND& config) {
    ArchiveWriter writer;
    writer.writeUInt32(kSendConfigMagic);
    for (const std::int32_t value :
         {config.interval, config.sendAfterSubmit, config.minimiseAfterSend, config.keepOpenWindows,
          config.useGeneral, config.sendMode})
        writer.writeInt32(value);
    writer.writeString(config.closeAfterSend);
    writer.writeInt32(static_cast<std::int32_t>(config.signatures.size()));
    for (const auto& signature : config.signatures)
        writer.writeString(signature);
    writer.writeInt32(config.signatureIndex);
    writer.writeInt32(static_cast<std::int32_t>(config.items.size()));
    for (const auto& item : config.items) {
        for (const std::int32_t value : {item.targetKind, item.allowed, 0, item.autoClose})
            writer.writeInt32(value);
        for (const auto* text :
             {&item.windowTitle, &item.shortcutFile, &item.arguments, &item.note})
            writer.writeString(*text);
    }
    return writer.bytes();
}

}  // namespace quorstat
