#pragma once

#include <string>
#include <string_view>

namespace quorstat {

// Stores a BIFF8 workbook stream as the "Workbook" stream of an OLE2 compound file. The file is
// replaced only once it is complete; false when it cannot be written.
bool WriteXlsFile(const std::string& path, std::string_view workbookStream);

}  // namespace quorstat
