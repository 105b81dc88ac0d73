#include "service/reply_writer.h"

namespace quorstat::service {

ReplyWriter& ReplyWriter::field(std::string_view text) {
    text_.push_back('|');
    text_.append(text);
    return *this;
}

ReplyWriter& ReplyWriter::field(std::int64_t number) {
    return field(std::to_string(number));
}

std::string ReplyWriter::failure(std::string_view message) {
    // The client reads a message only up to a closing "|".
    return ReplyWriter('0').field(message).text() + "|";
}

std::string ReplyWriter::sessionEnded(std::string_view message) {
    return ReplyWriter('4').field(message).text() + "|";
}

}  // namespace quorstat::service
