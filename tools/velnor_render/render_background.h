// The background velnor-render composes its frames on.
#pragma once

#include "engine/surface.h"
#include "settings/saver_settings.h"

namespace velnor::render {

// The full-screen background for `settings` at width x height. An empty surface stands
// for black.
Surface PrepareRenderBackground(const SaverSettings& settings, int width, int height);

}  // namespace velnor::render
