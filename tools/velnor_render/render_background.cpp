// Background of the headless renderer.
#include "render_background.h"

namespace velnor::render {

// TODO: background pictures (built-in samples and folder pictures) are composed by the
// background subsystem; until the renderer is wired to it every frame is drawn on black.
Surface PrepareRenderBackground(const SaverSettings&, int, int) {
    return Surface();
}

}  // namespace velnor::render
