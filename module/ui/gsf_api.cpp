#include "ui/gsf_api.h"

#include "core/loaded_api.h"

namespace quorstat {

bool GsfApi::resolve(const SharedLibrary& library) {
    decltype(&gsf_init) init = nullptr;
    if (!(library.resolve(init, "gsf_init") &&
          library.resolve(outputStdioNew, "gsf_output_stdio_new") &&
          library.resolve(outfileMsoleNew, "gsf_outfile_msole_new") &&
          library.resolve(outfileNewChild, "gsf_outfile_new_child") &&
          library.resolve(outputWrite, "gsf_output_write") &&
          library.resolve(outputClose, "gsf_output_close") &&
          library.resolve(objectUnref, "g_object_unref") &&
          library.resolve(clearError, "g_clear_error")))
        return false;
    init();
    return true;
}

const GsfApi* Gsf() {
    static const LoadedApi<GsfApi> gsf("libgsf-1.so.114");
    return gsf.get();
}

}  // namespace quorstat
