// The saver's exit rule for mouse movement.
#include "saver/mouse_exit_rule.h"

namespace velnor {

bool MouseExitRule::OnMove(float x, float y) {
    if (!mouseSeen_) {
        firstMouseX_ = x;
        firstMouseY_ = y;
        mouseSeen_ = true;
        return false;
    }
    // The stored position is never updated: a slow drift along one axis never ends it.
    return x != firstMouseX_ && y != firstMouseY_;
}

}  // namespace velnor
