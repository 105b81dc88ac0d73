#include "core/app_state.h"

namespace quorstat {

// The file readers and writers are not built yet: every value keeps its default.
void AppState::LoadFilesAtStartup() {}

void AppState::SaveFilesAtEnd() {}

}  // namespace quorstat
