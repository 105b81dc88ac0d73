// Template lists, template details and single template records.
#include <cstdint>
#include <string>

#include "core/text_codec.h"
#include "net/template_record.h"

namespace {

void parse(std::string_view reply) {
    quorstat::ParseTemplateList(reply);
    quorstat::ParseTemplateDetail(reply);
    quorstat::ParseTemplateRecord(reply);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    parse(bytes);
    parse(quorstat::FromAnsi(bytes));
    return 0;
}
