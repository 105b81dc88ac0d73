#include "core/saved_accounts.h"

#include "core/archive_reader.h"
#include "core/archive_writer.h"
#include "core/base64.h"
#include "core/text_codec.h"

namespace quorstat {
namespace {

// Every text of the file is Base64 of its ANSI bytes; a text that does not decode ends the read.
bool readEncoded(ArchiveReader& reader, std::string& utf8) {
    std::string encoded;
    if (!reader.readRawString(encoded))
        return false;
    const auto decoded = DecodeBase64(encoded);
    if (!decoded) {
        reader.fail();
        return false;
    }
    utf8 = FromAnsi(*decoded);
    return true;
}

void writeEncoded(ArchiveWriter& writer, std::string_view utf8) {
    writer.writeRawString(EncodeBase64(ToAnsi(utf8)));
}

bool readEntry(ArchiveReader& reader, tagCONFIG_LONIN& entry) {
    return readEncoded(reader, entry.userName) && readEncoded(reader, entry.password);
}

}  // namespace

void ReadSavedAccounts(std::string_view bytes, std::string_view machineLabel,
                       SavedAccounts& accounts) {
    ArchiveReader reader(bytes);
    std::string storedLabel;
    if (!reader.expectMagic(kSavedAccountsMagic) || !reader.readFlag(accounts.rememberPassword) ||
        !reader.readFlag(accounts.autoLogin) || !readEncoded(reader, storedLabel))
        return;
    if (storedLabel != machineLabel) {
        accounts = SavedAccounts{.rememberPassword = true, .autoLogin = false, .entries = {}};
        return;
    }
    std::int32_t count = 0;
    if (!reader.readInt32(count))
        return;
    accounts.entries.clear();
    for (std::int32_t i = 0; i < count; ++i) {
        tagCONFIG_LONIN entry;
        if (!readEntry(reader, entry))
            break;
        accounts.entries.push_back(std::move(entry));
    }
}

std::string WriteSavedAccounts(const SavedAccounts& accounts, std::string_view machineLabel) {
    ArchiveWriter writer;
    writer.writeUInt32(kSavedAccountsMagic);
    writer.writeFlag(accounts.rememberPassword);
    writer.writeFlag(accounts.autoLogin);
    writeEncoded(writer, machineLabel);
    writer.writeInt32(static_cast<std::int32_t>(accounts.entries.size()));
    for (const auto& entry : accounts.entries) {
        writeEncoded(writer, entry.userName);
        writeEncoded(writer, entry.password);
    }
    return writer.bytes();
}

}  // namespace quorstat
