#include "ui/gsf_api.h"

#include "core/shared_library.h"

namespace quorstat {
namespace {

class LoadedGsf {
public:
    // GLib's functions are found through libgsf, which depends on them.
    LoadedGsf() : library_("libgsf-1.so.114") {
        complete_ = library_.resolve(api_.init, "gsf_init") &&
                    library_.resolve(api_.outputStdioNew, "gsf_output_stdio_new") &&
                    library_.resolve(api_.outfileMsoleNew, "gsf_outfile_msole_new") &&
                    library_.resolve(api_.outfileNewChild, "gsf_outfile_new_child") &&
                    library_.resolve(api_.outputWrite, "gsf_output_write") &&
                    library_.resolve(api_.outputClose, "gsf_output_close") &&
                    library_.resolve(api_.objectUnref, "g_object_unref") &&
                    library_.resolve(api_.clearError, "g_clear_error");
        if (complete_)
            api_.init();
    }

    const GsfApi* api() const { return complete_ ? &api_ : nullptr; }

private:
    SharedLibrary library_;
    GsfApi api_;
    bool complete_ = false;
};

}  // namespace

const GsfApi* Gsf() {
    static const LoadedGsf gsf;
    return gsf.api();
}

}  // namespace quorstat
