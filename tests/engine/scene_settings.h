// Settings records for the animation tests: the defaults a missing settings file gives,
// with the ten preset ball colours.
#pragma once

#include "settings/saver_settings.h"
#include "settings/settings_table.h"

namespace velnor::testing {

inline SaverSettings DefaultSceneSettings() {
    SaverSettings s;
    s.aspectTenths = 10;
    s.perspectiveDepth = 20;
    s.ballColour = {72, 32, 56};
    s.lineColours = {0, 65280, 16776960};
    s.scale = 128;
    std::size_t n = 0;
    for (const BallPreset& preset : BallPresets()) {
        s.presetRed[n] = preset.red;
        s.presetGreen[n] = preset.green;
        s.presetBlue[n] = preset.blue;
        ++n;
    }
    return s;
}

}  // namespace velnor::testing
