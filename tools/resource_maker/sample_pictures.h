// The two built-in background pictures, drawn procedurally: a banded, ringed planet on
// black (400 x 300) and a star field with a nebula (512 x 384).
#pragma once

#include "engine/surface.h"

namespace velnor::resources {

Surface MakePlanetPicture();
Surface MakeNebulaPicture();

}  // namespace velnor::resources
