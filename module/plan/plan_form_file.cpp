#include "plan/plan_form_file.h"

#include "core/archive_reader.h"
#include "core/archive_writer.h"

namespace quorstat {

namespace {

bool readPreset(ArchiveReader& in, PRESETDATA& preset) {
    in.readString(preset.presetName);
    in.readString(preset.presetText);
    in.readInt32(preset.presetIssues);
    in.readUInt32Array(preset.presetMultiples);
    return in.ok();
}

// A failed read fails every later one, so the fields are read in one run and checked once.
bool readRecord(ArchiveReader& in, tagCONFIG_MYPLANDATA& record) {
    in.readInt32(record.lotteryId);
    in.readInt32(record.playId);
    in.readString(record.positionNames);
    in.readInt32(record.positionsChecked);
    in.readString(record.betNumbers);
    in.readInt32(record.issueCount);
    in.readFloat64(record.unitCost);
    in.readFloat64(record.prize);
    in.readInt32(record.linkPrize);
    in.readInt32(record.strategy);
    in.readFloat64(record.fixedRate);
    in.readFloat64(record.fixedProfit);
    in.readFloat64(record.stepProfit);
    in.readFloat64(record.startProfit);
    in.readInt32(record.raiseEvery);
    in.readUInt8(record.raiseMode);
    in.readInt32(record.raiseBy);
    in.readInt32(record.segment1Issues);
    in.readFloat64(record.segment1Rate);
    in.readFloat64(record.segment2Rate);
    in.readUInt32Array(record.manualMultiples);
    in.readInt32(record.pasteInverted);
    in.readInt32(record.addEqualDigits);
    in.readInt32(record.addRuns);
    in.readInt32(record.reservedInt);
    in.readFloat64(record.reservedReal);
    in.readInt32(record.useCapital);
    in.readFloat64(record.capital);
    in.readInt32(record.initialMultiple);
    std::uint32_t presetCount = 0;
    in.readUInt32(presetCount);
    for (std::uint32_t i = 0; i < presetCount && in.ok(); ++i) {
        PRESETDATA preset;
        if (readPreset(in, preset))
            record.presets.push_back(std::move(preset));
    }
    return in.ok();
}

void writeRecord(ArchiveWriter& out, const tagCONFIG_MYPLANDATA& record) {
    out.writeInt32(record.lotteryId);
    out.writeInt32(record.playId);
    out.writeString(record.positionNames);
    out.writeInt32(record.positionsChecked);
    out.writeString(record.betNumbers);
    out.writeInt32(record.issueCount);
    out.writeFloat64(record.unitCost);
    out.writeFloat64(record.prize);
    out.writeInt32(record.linkPrize);
    out.writeInt32(record.strategy);
    out.writeFloat64(record.fixedRate);
    out.writeFloat64(record.fixedProfit);
    out.writeFloat64(record.stepProfit);
    out.writeFloat64(record.startProfit);
    out.writeInt32(record.raiseEvery);
    out.writeUInt8(record.raiseMode);
    out.writeInt32(record.raiseBy);
    out.writeInt32(record.segment1Issues);
    out.writeFloat64(record.segment1Rate);
    out.writeFloat64(record.segment2Rate);
    out.writeUInt32Array(record.manualMultiples);
    out.writeInt32(record.pasteInverted);
    out.writeInt32(record.addEqualDigits);
    out.writeInt32(record.addRuns);
    out.writeInt32(record.reservedInt);
    out.writeFloat64(record.reservedReal);
    out.writeInt32(record.useCapital);
    out.writeFloat64(record.capital);
    out.writeInt32(record.initialMultiple);
    out.writeUInt32(static_cast<std::uint32_t>(record.presets.size()));
    for (const PRESETDATA& preset : record.presets) {
        out.writeString(preset.presetName);
        out.writeString(preset.presetText);
        out.writeInt32(preset.presetIssues);
        out.writeUInt32Array(preset.presetMultiples);
    }
}

}  // namespace

std::vector<tagCONFIG_MYPLANDATA> ReadPlanFormFile(std::string_view bytes) {
    ArchiveReader in(bytes);
    std::uint32_t count = 0;
    std::vector<tagCONFIG_MYPLANDATA> records;
    if (!in.expectMagic(kPlanFormFileMagic) || !in.readUInt32(count))
        return records;
    for (std::uint32_t i = 0; i < count; ++i) {
        tagCONFIG_MYPLANDATA record;
        if (!readRecord(in, record))
            break;
        records.push_back(std::move(record));
    }
    return records;
}

std::string WritePlanFormFile(const std::vector<tagCONFIG_MYPLANDATA>& records) {
    ArchiveWriter out;
    out.writeUInt32(kPlanFormFileMagic);
    out.writeUInt32(static_cast<std::uint32_t>(records.size()));
    for (const tagCONFIG_MYPLANDATA& record : records)
        writeRecord(out, record);
    return out.bytes();
}

}  // namespace quorstat
