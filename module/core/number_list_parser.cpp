#include "core/number_list_parser.h"

#include <fmt/printf.h>

#include <algorithm>
#include <cstdint>
#include <optional>

namespace quorstat {

namespace {

constexpr int kMinValue = 0;
constexpr int kMaxValue = 65535;
// Typed values stop growing here; larger ones still compare and fail the range check.
constexpr std::int64_t kValueCap = 1'000'000'000'000'000;

constexpr std::string_view kEmptyText = "没有输入有效数字！";
constexpr std::string_view kDoubleMinus = "使用'-'输入的数据格式有错误！";
constexpr std::string_view kMissingBound = "使用'-'符号时，后面必须有有效数字！";
constexpr std::string_view kBadBound = "输入的数据格式有错误！";
constexpr std::string_view kRangeOrder = "使用'-'符号指定范围时，前面的数字必须小于后面的数字！";
constexpr const char* kOutOfRange = "输入的值必须在 %d 到 %d 之间！";
constexpr std::string_view kNothingTaken = "您没有输入有效数字！";

std::string& storedInputError() {
    // Per thread: the data box parses tolerance lists on a worker while the window may parse too.
    thread_local std::string error;
    return error;
}

bool isDigit(char ch) {
    return ch >= '0' && ch <= '9';
}

std::int64_t appendDigit(std::int64_t value, char digit) {
    return std::min(value * 10 + (digit - '0'), kValueCap);
}

// Values are counted in a difference array, so a text full of wide ranges costs one step per
// range rather than one per value.
class NumberListParser {
public:
    explicit NumberListParser(std::string_view text) : text_(text) {}

    // The failure message, or nothing when the text parsed.
    std::optional<std::string> parse();
    std::vector<int> values() const;

private:
    bool atEnd() const { return pos_ >= text_.size(); }
    void takeLeadingZeroRun();
    void readMinus();
    void readRange();
    void takePending();
    void takeValues(std::int64_t lower, std::int64_t upper);
    void finish();
    void fail(std::string_view message) { error_ = std::string{message}; }

    std::string_view text_;
    std::size_t pos_ = 0;
    std::optional<std::int64_t> pending_;
    bool minus_ = false;
    bool anyTaken_ = false;
    std::vector<std::int32_t> starts_ = std::vector<std::int32_t>(kMaxValue + 2);
    std::optional<std::string> error_;
};

std::optional<std::string> NumberListParser::parse() {
    if (text_.empty()) {
        fail(kEmptyText);
        return error_;
    }
    if (text_.front() == '0') {
        takeLeadingZeroRun();
    }
    while (!atEnd() && !error_) {
        const char ch = text_[pos_];
        if (isDigit(ch)) {
            pending_ = appendDigit(pending_.value_or(0), ch);
            ++pos_;
        } else if (ch == '-') {
            if (pending_) {
                readRange();
            } else {
                readMinus();
            }
        } else {
            takePending();
            ++pos_;
        }
    }
    if (!error_) {
        finish();
    }
    return error_;
}

void NumberListParser::finish() {
    if (minus_ && !pending_) {
        fail(kMissingBound);
        return;
    }
    takePending();
    if (!error_ && !anyTaken_) {
        fail(kNothingTaken);
    }
}

// A list typed as "0135" means the single digits 0, 1, 3 and 5; the last one stays pending
// so that it can still open a range.
void NumberListParser::takeLeadingZeroRun() {
    pending_ = 0;
    for (pos_ = 1; !atEnd() && isDigit(text_[pos_]); ++pos_) {
        takePending();
        pending_ = text_[pos_] - '0';
    }
}

void NumberListParser::readMinus() {
    if (minus_) {
        fail(kDoubleMinus);
        return;
    }
    minus_ = true;
    ++pos_;
}

void NumberListParser::readRange() {
    ++pos_;
    bool negative = false;
    std::optional<std::int64_t> bound;
    for (; !atEnd(); ++pos_) {
        const char ch = text_[pos_];
        if (isDigit(ch)) {
            bound = appendDigit(bound.value_or(0), ch);
        } else if (bound) {
            break;
        } else if (ch == '-') {
            if (negative) {
                fail(kBadBound);
                return;
            }
            negative = true;
        }
    }
    if (!bound) {
        fail(kMissingBound);
        return;
    }
    // The character that ended the bound belongs to it.
    ++pos_;
    const std::int64_t lower = minus_ ? -*pending_ : *pending_;
    const std::int64_t upper = negative ? -*bound : *bound;
    pending_.reset();
    minus_ = false;
    if (lower >= upper) {
        fail(kRangeOrder);
        return;
    }
    takeValues(lower, upper);
}

void NumberListParser::takePending() {
    if (!pending_) {
        return;
    }
    const std::int64_t value = minus_ ? -*pending_ : *pending_;
    pending_.reset();
    minus_ = false;
    takeValues(value, value);
}

void NumberListParser::takeValues(std::int64_t lower, std::int64_t upper) {
    if (lower < kMinValue || upper > kMaxValue) {
        fail(fmt::sprintf(kOutOfRange, kMinValue, kMaxValue));
        return;
    }
    ++starts_[static_cast<std::size_t>(lower)];
    --starts_[static_cast<std::size_t>(upper + 1)];
    anyTaken_ = true;
}

std::vector<int> NumberListParser::values() const {
    std::vector<int> values;
    std::int32_t open = 0;
    for (int value = kMinValue; value <= kMaxValue; ++value) {
        open += starts_[static_cast<std::size_t>(value)];
        if (open > 0) {
            values.push_back(value);
        }
    }
    return values;
}

}  // namespace

int ParseNumberList(std::string_view text, std::vector<int>& result) {
    NumberListParser parser(text);
    if (std::optional<std::string> error = parser.parse()) {
        result.clear();
        storedInputError() = std::move(*error);
        return 0;
    }
    result = parser.values();
    return 1;
}

const std::string& lastInputError() {
    return storedInputError();
}

}  // namespace quorstat
