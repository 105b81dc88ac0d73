#include "ui/biff8_workbook.h"

#include <algorithm>
#include <cstdint>
#include <unordered_map>

namespace quorstat {
namespace {

// Record types.
constexpr std::uint16_t kBof = 0x0809;
constexpr std::uint16_t kEof = 0x000A;
constexpr std::uint16_t kCodePage = 0x0042;
constexpr std::uint16_t kWindow1 = 0x003D;
constexpr std::uint16_t kFont = 0x0031;
constexpr std::uint16_t kXf = 0x00E0;
constexpr std::uint16_t kStyle = 0x0293;
constexpr std::uint16_t kBoundSheet = 0x0085;
constexpr std::uint16_t kSst = 0x00FC;
constexpr std::uint16_t kContinue = 0x003C;
constexpr std::uint16_t kExtSst = 0x00FF;
constexpr std::uint16_t kColInfo = 0x007D;
constexpr std::uint16_t kDimensions = 0x0200;
constexpr std::uint16_t kLabelSst = 0x00FD;
constexpr std::uint16_t kWindow2 = 0x023E;

constexpr std::size_t kMaxRecordData = 8224;
constexpr std::uint16_t kUtf16CodePage = 1200;
// Excel's sixteen built-in XFs: fifteen style XFs, then the default cell XF; ours follows.
constexpr std::uint16_t kStyleXfs = 15;
constexpr std::uint16_t kCellXf = 15;
constexpr std::uint16_t kWrappedCellXf = 16;
// In characters: one long text must not push the other columns out of sight.
constexpr std::size_t kMaxColumnWidth = 60;

void put8(std::string& out, std::uint8_t value) {
    out += static_cast<char>(value);
}

void put16(std::string& out, std::uint16_t value) {
    put8(out, static_cast<std::uint8_t>(value & 0xFF));
    put8(out, static_cast<std::uint8_t>(value >> 8));
}

void put32(std::string& out, std::uint32_t value) {
    put16(out, static_cast<std::uint16_t>(value & 0xFFFF));
    put16(out, static_cast<std::uint16_t>(value >> 16));
}

void patch32(std::string& out, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        out[at + static_cast<std::size_t>(i)] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

// A cell text as Excel stores it: UTF-16, cut to what a cell holds.
struct CellText {
    std::u16string units;
    bool cut = false;
    bool wide = false;        // some unit above 0xFF, so it cannot be stored in one byte per unit
    bool lineBreak = false;   // shown wrapped
    std::size_t columns = 0;  // display width, East Asian characters counting two
};

std::size_t displayWidth(char32_t code) {
    const bool eastAsian =
        (code >= 0x1100 && code <= 0x115F) || (code >= 0x2E80 && code <= 0xA4CF) ||
        (code >= 0xAC00 && code <= 0xD7A3) || (code >= 0xF900 && code <= 0xFAFF) ||
        (code >= 0xFE30 && code <= 0xFE4F) || (code >= 0xFF00 && code <= 0xFF60) ||
        (code >= 0xFFE0 && code <= 0xFFE6) || code >= 0x20000;
    return eastAsian ? 2 : 1;
}

// One code point off the front of `text`; an invalid byte reads as U+FFFD and is skipped alone.
char32_t nextCodePoint(std::string_view& text) {
    constexpr char32_t kReplacement = 0xFFFD;
    const auto lead = static_cast<unsigned char>(text[0]);
    std::size_t length = lead < 0x80    ? 1
                         : lead >= 0xF0 ? 4
                         : lead >= 0xE0 ? 3
                         : lead >= 0xC0 ? 2
                                        : 0;
    if (length == 0 || lead > 0xF4 || length > text.size()) {
        text.remove_prefix(1);
        return kReplacement;
    }
    char32_t code = length == 1 ? lead : lead & (0x7F >> length);
    for (std::size_t i = 1; i < length; ++i) {
        const auto trail = static_cast<unsigned char>(text[i]);
        if ((trail & 0xC0) != 0x80) {
            text.remove_prefix(1);
            return kReplacement;
        }
        code = (code << 6) | (trail & 0x3F);
    }
    static constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
    text.remove_prefix(length);
    const bool valid =
        code >= kSmallest[length] && code <= 0x10FFFF && (code < 0xD800 || code > 0xDFFF);
    return valid ? code : kReplacement;
}

CellText cellText(std::string_view utf8) {
    CellText cell;
    cell.units.reserve(utf8.size());
    while (!utf8.empty()) {
        const char32_t code = nextCodePoint(utf8);
        const std::size_t units = code > 0xFFFF ? 2 : 1;
        if (cell.units.size() + units > kMaxCellText) {
            cell.cut = true;
            break;
        }
        if (units == 2) {
            cell.units += static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10));
            cell.units += static_cast<char16_t>(0xDC00 + ((code - 0x10000) & 0x3FF));
        } else {
            cell.units += static_cast<char16_t>(code);
        }
        cell.wide = cell.wide || code > 0xFF;
        cell.lineBreak = cell.lineBreak || code == '\n';
        cell.columns += displayWidth(code);
    }
    return cell;
}

// Builds the stream record by record; a record whose data outgrows the limit goes on in CONTINUE
// records.
class RecordStream {
public:
    std::string bytes;

    void record(std::uint16_t type, std::string_view data) {
        begin(type);
        append(data);
        end();
    }
    void begin(std::uint16_t type) {
        headerAt_ = bytes.size();
        put16(bytes, type);
        put16(bytes, 0);
    }
    std::size_t room() const { return kMaxRecordData - dataSize(); }
    void append(std::string_view data) { bytes += data; }
    void continueRecord() {
        end();
        begin(kContinue);
    }
    void end() {
        const auto size = static_cast<std::uint16_t>(dataSize());
        bytes[headerAt_ + 2] = static_cast<char>(size & 0xFF);
        bytes[headerAt_ + 3] = static_cast<char>(size >> 8);
    }
    // Where the next byte goes, counted from the current record's header.
    std::size_t offsetInRecord() const { return bytes.size() - headerAt_; }

private:
    std::size_t dataSize() const { return bytes.size() - headerAt_ - 4; }
    std::size_t headerAt_ = 0;
};

void appendUnits(RecordStream& stream, const std::u16string& units, std::size_t from,
                 std::size_t count, bool wide) {
    std::string data;
    data.reserve(count * 2);
    for (std::size_t i = from; i < from + count; ++i) {
        if (wide)
            put16(data, units[i]);
        else
            put8(data, static_cast<std::uint8_t>(units[i]));
    }
    stream.append(data);
}

// An XLUnicodeRichExtendedString: its header never splits, its characters may go on in a CONTINUE
// record that starts with the encoding byte again.
void appendSstString(RecordStream& sst, const CellText& text) {
    const std::size_t unitSize = text.wide ? 2 : 1;
    const std::uint8_t encoding = text.wide ? 1 : 0;
    std::string header;
    put16(header, static_cast<std::uint16_t>(text.units.size()));
    put8(header, encoding);
    sst.append(header);
    std::size_t written = 0;
    while (true) {
        const std::size_t fit = std::min(text.units.size() - written, sst.room() / unitSize);
        appendUnits(sst, text.units, written, fit, text.wide);
        written += fit;
        if (written == text.units.size())
            return;
        sst.continueRecord();
        std::string flag;
        put8(flag, encoding);
        sst.append(flag);
    }
}

std::size_t stringStartRoom(const CellText& text) {
    return 3 + (text.units.empty() ? 0 : (text.wide ? 2 : 1));
}

std::string bof(std::uint16_t substream) {
    std::string data;
    put16(data, 0x0600);
    put16(data, substream);
    put16(data, 0x0DBB);  // build
    put16(data, 0x07CC);  // year
    put32(data, 0);
    put32(data, 6);  // lowest BIFF version that wrote the file
    return data;
}

std::string window1() {
    std::string data;
    for (const std::uint16_t value : {0, 0, 0x4000, 0x2000, 0x0038, 0, 0, 1, 600})
        put16(data, value);
    return data;
}

std::string font() {
    std::string data;
    put16(data, 220);     // 11 pt, in twentieths of a point
    put16(data, 0);       // no italics, no strike-out
    put16(data, 0x7FFF);  // the window text colour
    put16(data, 400);     // normal weight
    put16(data, 0);
    put8(data, 0);
    put8(data, 0);
    put8(data, 134);  // GB2312 character set
    put8(data, 0);
    const std::u16string name = u"宋体";
    put8(data, static_cast<std::uint8_t>(name.size()));
    put8(data, 1);
    for (const char16_t unit : name)
        put16(data, unit);
    return data;
}

std::string xf(std::uint16_t flags, std::uint8_t alignment, std::uint16_t usedAttributes) {
    std::string data;
    put16(data, 0);  // font
    put16(data, 0);  // number format "General"
    put16(data, flags);
    put8(data, alignment);
    put8(data, 0);  // no rotation
    put16(data, usedAttributes);
    put32(data, 0);  // no borders
    put32(data, 0);
    put16(data, 0x20C0);  // pattern colours: system foreground and background
    return data;
}

void writeFormatting(RecordStream& stream) {
    constexpr std::uint8_t kBottom = 0x20;
    constexpr std::uint8_t kWrapBottom = 0x28;
    constexpr std::uint16_t kStyleXf = 0xFFF5;       // locked, style, no parent
    constexpr std::uint16_t kCellOfNormal = 0x0001;  // locked, parent style 0
    // Fonts 0 to 3 and 5: index 4 does not exist in BIFF.
    for (int i = 0; i < 5; ++i)
        stream.record(kFont, font());
    stream.record(kXf, xf(kStyleXf, kBottom, 0));
    for (std::uint16_t i = 1; i < kStyleXfs; ++i)
        stream.record(kXf, xf(kStyleXf, kBottom, 0xF400));
    stream.record(kXf, xf(kCellOfNormal, kBottom, 0));
    stream.record(kXf, xf(kCellOfNormal, kWrapBottom, 0x1000));  // alignment of its own
    std::string normal;
    put16(normal, 0x8000);  // built-in style on XF 0
    put8(normal, 0);        // "Normal"
    put8(normal, 0xFF);
    stream.record(kStyle, normal);
}

// An empty cell needs no record.
constexpr std::uint32_t kNoText = 0xFFFFFFFF;

// The cells' texts, each distinct text once, in order of first use.
struct SharedStrings {
    std::vector<CellText> texts;
    std::vector<std::uint32_t> cellIndex;  // header cells, then the table's cells; kNoText if empty
    std::size_t references = 0;

    const CellText* textOf(std::size_t cell) const {
        return cellIndex[cell] == kNoText ? nullptr : &texts[cellIndex[cell]];
    }
};

SharedStrings shareStrings(const SheetTable& table) {
    SharedStrings shared;
    std::unordered_map<std::string_view, std::uint32_t> known;
    shared.cellIndex.reserve(table.header.size() + table.cells.size());
    auto add = [&](std::string_view text) {
        if (text.empty()) {
            shared.cellIndex.push_back(kNoText);
            return;
        }
        ++shared.references;
        const auto [entry, inserted] =
            known.try_emplace(text, static_cast<std::uint32_t>(shared.texts.size()));
        if (inserted)
            shared.texts.push_back(cellText(text));
        shared.cellIndex.push_back(entry->second);
    };
    for (const std::string& name : table.header)
        add(name);
    for (const std::string_view cell : table.cells)
        add(cell);
    return shared;
}

void writeSst(RecordStream& stream, const SharedStrings& shared) {
    const std::size_t count = shared.texts.size();
    const std::size_t perBucket = std::max<std::size_t>(8, (count + 127) / 128);
    std::string extSst;
    put16(extSst, static_cast<std::uint16_t>(perBucket));

    stream.begin(kSst);
    std::string counts;
    put32(counts, static_cast<std::uint32_t>(shared.references));
    put32(counts, static_cast<std::uint32_t>(count));
    stream.append(counts);
    for (std::size_t i = 0; i < count; ++i) {
        const CellText& text = shared.texts[i];
        if (stream.room() < stringStartRoom(text))
            stream.continueRecord();
        if (i % perBucket == 0) {
            put32(extSst, static_cast<std::uint32_t>(stream.bytes.size()));
            put16(extSst, static_cast<std::uint16_t>(stream.offsetInRecord()));
            put16(extSst, 0);
        }
        appendSstString(stream, text);
    }
    stream.end();
    stream.record(kExtSst, extSst);
}

std::string boundSheet(std::string_view name) {
    std::string data;
    put32(data, 0);  // position of the sheet, set once known
    put8(data, 0);   // visible
    put8(data, 0);   // worksheet
    put8(data, static_cast<std::uint8_t>(name.size()));
    put8(data, 0);
    data += name;
    return data;
}

void writeColumns(RecordStream& stream, const SharedStrings& shared, std::size_t columns) {
    std::vector<std::size_t> widths(columns, 0);
    for (std::size_t cell = 0; cell < shared.cellIndex.size(); ++cell) {
        if (const CellText* text = shared.textOf(cell))
            widths[cell % columns] = std::max(widths[cell % columns], text->columns);
    }
    for (std::size_t column = 0; column < columns; ++column) {
        const std::size_t characters = std::clamp<std::size_t>(widths[column], 6, kMaxColumnWidth);
        std::string data;
        put16(data, static_cast<std::uint16_t>(column));
        put16(data, static_cast<std::uint16_t>(column));
        put16(data, static_cast<std::uint16_t>((characters + 2) * 256));
        put16(data, kCellXf);
        put16(data, 0);
        put16(data, 0);
        stream.record(kColInfo, data);
    }
}

void writeCells(RecordStream& stream, const SharedStrings& shared, std::size_t columns) {
    stream.bytes.reserve(stream.bytes.size() + shared.cellIndex.size() * 14 + 64);
    for (std::size_t cell = 0; cell < shared.cellIndex.size(); ++cell) {
        const CellText* text = shared.textOf(cell);
        if (!text)
            continue;
        std::string data;
        put16(data, static_cast<std::uint16_t>(cell / columns));
        put16(data, static_cast<std::uint16_t>(cell % columns));
        put16(data, text->lineBreak ? kWrappedCellXf : kCellXf);
        put32(data, shared.cellIndex[cell]);
        stream.record(kLabelSst, data);
    }
}

void writeSheet(RecordStream& stream, const SharedStrings& shared, std::size_t columns,
                std::size_t rows) {
    stream.record(kBof, bof(0x0010));
    writeColumns(stream, shared, columns);
    std::string dimensions;
    put32(dimensions, 0);
    put32(dimensions, static_cast<std::uint32_t>(rows));
    put16(dimensions, 0);
    put16(dimensions, static_cast<std::uint16_t>(columns));
    put16(dimensions, 0);
    stream.record(kDimensions, dimensions);
    writeCells(stream, shared, columns);
    std::string window;
    for (const std::uint16_t value : {0x06B6, 0, 0, 0x40, 0, 0, 0, 0, 0})
        put16(window, value);
    stream.record(kWindow2, window);
    stream.record(kEof, {});
}

}  // namespace

Biff8Workbook BuildBiff8Workbook(std::string_view sheetName, const SheetTable& table) {
    const SharedStrings shared = shareStrings(table);
    Biff8Workbook workbook;
    for (std::size_t cell = 0; cell < shared.cellIndex.size(); ++cell)
        workbook.cutCells += shared.textOf(cell) && shared.textOf(cell)->cut ? 1 : 0;

    RecordStream stream;
    stream.record(kBof, bof(0x0005));
    std::string codePage;
    put16(codePage, kUtf16CodePage);
    stream.record(kCodePage, codePage);
    stream.record(kWindow1, window1());
    writeFormatting(stream);
    const std::size_t sheetPositionAt = stream.bytes.size() + 4;
    stream.record(kBoundSheet, boundSheet(sheetName));
    writeSst(stream, shared);
    stream.record(kEof, {});

    patch32(stream.bytes, sheetPositionAt, static_cast<std::uint32_t>(stream.bytes.size()));
    const std::size_t columns = table.header.size();
    writeSheet(stream, shared, std::max<std::size_t>(columns, 1),
               columns > 0 ? table.rowCount() + 1 : 0);
    workbook.stream = std::move(stream.bytes);
    return workbook;
}

}  // namespace quorstat
