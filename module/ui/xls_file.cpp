#include "ui/xls_file.h"

#include <memory>
#include <string>

#include "ui/gsf_api.h"

namespace quorstat {
namespace {

// Spreadsheet programs expect the workbook in the compound file's big blocks, which hold streams
// of at least this size; the zeros after the last record are never read.
constexpr std::size_t kSmallestWorkbook = 4096;

struct GObjectDeleter {
    const GsfApi* gsf;
    void operator()(void* object) const { gsf->objectUnref(object); }
};
template <typename T>
using GObjectPtr = std::unique_ptr<T, GObjectDeleter>;

bool writeStream(const GsfApi& gsf, GsfOutput* output, std::string_view bytes) {
    bool ok = gsf.outputWrite(output, bytes.size(), reinterpret_cast<const guint8*>(bytes.data()));
    if (bytes.size() < kSmallestWorkbook) {
        const std::string zeros(kSmallestWorkbook - bytes.size(), '\0');
        ok = ok &&
             gsf.outputWrite(output, zeros.size(), reinterpret_cast<const guint8*>(zeros.data()));
    }
    return gsf.outputClose(output) && ok;
}

}  // namespace

bool WriteXlsFile(const std::string& path, std::string_view workbookStream) {
    const GsfApi* gsf = Gsf();
    if (!gsf)
        return false;
    const GObjectDeleter unref{gsf};
    GError* error = nullptr;
    GObjectPtr<GsfOutput> sink(gsf->outputStdioNew(path.c_str(), &error), unref);
    if (!sink) {
        gsf->clearError(&error);
        return false;
    }
    GObjectPtr<GsfOutfile> compound(gsf->outfileMsoleNew(sink.get()), unref);
    GObjectPtr<GsfOutput> workbook(gsf->outfileNewChild(compound.get(), "Workbook", FALSE), unref);
    bool ok = workbook && writeStream(*gsf, workbook.get(), workbookStream);
    // Closing the compound file closes the file under it, which only then takes the target's name.
    // A compound file is an output: its object starts with the output's (GSF_OUTPUT would ask
    // GLib's type system, which is not linked).
    return gsf->outputClose(reinterpret_cast<GsfOutput*>(compound.get())) && ok;
}

}  // namespace quorstat
