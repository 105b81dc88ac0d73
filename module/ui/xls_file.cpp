#include "ui/xls_file.h"

#include <gsf/gsf-outfile-msole.h>
#include <gsf/gsf-output-stdio.h>
#include <gsf/gsf-utils.h>

#include <memory>
#include <mutex>
#include <string>

namespace quorstat {
namespace {

// Spreadsheet programs expect the workbook in the compound file's big blocks, which hold streams
// of at least this size; the zeros after the last record are never read.
constexpr std::size_t kSmallestWorkbook = 4096;

template <typename T>
struct GObjectDeleter {
    void operator()(T* object) const { g_object_unref(object); }
};
template <typename T>
using GObjectPtr = std::unique_ptr<T, GObjectDeleter<T>>;

bool writeStream(GsfOutput* output, std::string_view bytes) {
    bool ok = gsf_output_write(output, bytes.size(), reinterpret_cast<const guint8*>(bytes.data()));
    if (bytes.size() < kSmallestWorkbook) {
        const std::string zeros(kSmallestWorkbook - bytes.size(), '\0');
        ok = ok &&
             gsf_output_write(output, zeros.size(), reinterpret_cast<const guint8*>(zeros.data()));
    }
    return gsf_output_close(output) && ok;
}

}  // namespace

bool WriteXlsFile(const std::string& path, std::string_view workbookStream) {
    static std::once_flag initialised;
    std::call_once(initialised, [] { gsf_init(); });

    GError* error = nullptr;
    GObjectPtr<GsfOutput> sink(gsf_output_stdio_new(path.c_str(), &error));
    if (!sink) {
        g_clear_error(&error);
        return false;
    }
    GObjectPtr<GsfOutfile> compound(gsf_outfile_msole_new(sink.get()));
    GObjectPtr<GsfOutput> workbook(gsf_outfile_new_child(compound.get(), "Workbook", FALSE));
    bool ok = workbook && writeStream(workbook.get(), workbookStream);
    // Closing the compound file closes the file under it, which only then takes the target's name.
    return gsf_output_close(GSF_OUTPUT(compound.get())) && ok;
}

}  // namespace quorstat
