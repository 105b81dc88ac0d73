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

std::string ReplyWriter::httpFailure(int status) {
    switch (status) {
        case 404:
            return failure("请求的页面不存在");
        case 408:
            return failure("请求超时");
        case 411:
            return failure("请求缺少数据长度");
        case 413:
            return failure("请求数据过长");
        case 415:
            return failure("不接受压缩的请求数据");
        case 431:
            return failure("请求头过长");
        case 500:
            return failure("服务器内部错误，请稍后再试");
        case 503:
            return failure("连接过多，请稍后再试");
        default:
            return failure("请求不正确");
    }
}

}  // namespace quorstat::service
