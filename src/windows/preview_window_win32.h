// The preview form Velnor_R: the still picture of the wire ball inside the preview pane
// of the host's display-settings page. It reads no settings and lives as long as the pane.
#pragma once

#include <windows.h>

namespace velnor {

// Embeds the preview into `host` and serves its messages until the pane is gone.
// Returns at once when `host` names no window. Returns the process's exit code.
int RunPreview(HINSTANCE instance, HWND host);

}  // namespace velnor
