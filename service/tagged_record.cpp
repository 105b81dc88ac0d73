#include "service/tagged_record.h"

namespace quorstat::service {

TaggedRecord& TaggedRecord::add(std::string_view tag, std::string_view value) {
    text_.append(tag);
    text_.push_back('=');
    text_.append(value);
    text_.push_back('|');
    return *this;
}

TaggedRecord& TaggedRecord::add(std::string_view tag, std::int64_t value) {
    return add(tag, std::to_string(value));
}

TaggedRecord& TaggedRecord::flag(std::string_view tag, bool value) {
    return add(tag, value ? "True" : "False");
}

}  // namespace quorstat::service
