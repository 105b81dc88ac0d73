#pragma once

#include <gsf/gsf-outfile-msole.h>
#include <gsf/gsf-output-stdio.h>
#include <gsf/gsf-utils.h>

namespace quorstat {

class SharedLibrary;

// The libgsf functions the spreadsheet export calls, with the two of GLib's object system it
// needs, from the library opened at the first export.
struct GsfApi {
    decltype(&gsf_output_stdio_new) outputStdioNew = nullptr;
    decltype(&gsf_outfile_msole_new) outfileMsoleNew = nullptr;
    decltype(&gsf_outfile_new_child) outfileNewChild = nullptr;
    decltype(&gsf_output_write) outputWrite = nullptr;
    decltype(&gsf_output_close) outputClose = nullptr;
    decltype(&g_object_unref) objectUnref = nullptr;
    decltype(&g_clear_error) clearError = nullptr;

    // Also initialises the library. GLib's functions are found through libgsf, which needs them.
    bool resolve(const SharedLibrary& library);
};

// libgsf, opened and initialised on the first call; null when it cannot be loaded, and then no
// spreadsheet can be written.
const GsfApi* Gsf();

}  // namespace quorstat
