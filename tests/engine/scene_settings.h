// Settings records for the animation tests: the defaults a missing settings file gives,
// with the ten preset ball colours.
#pragma once

#include "settings/saver_settings.h"

namespace velnor::testing {

inline SaverSettings DefaultSceneSettings() {
    SaverSettings s;
    s.aspectTenths = 10;
    s.perspectiveDepth = 20;
    s.ballColour = {72, 32, 56};
    s.lineColours = {0, 65280, 16776960};
    s.scale = 128;
    const int presets[kPresetCount][3] = {{72, 32, 56}, {0, 0, 88},  {0, 48, 0},  {76, 0, 0},
                                          {82, 26, 0},  {80, 0, 70}, {0, 48, 62}, {68, 42, 4},
                                          {70, 48, 48}, {80, 30, 30}};
    for (int n = 0; n < kPresetCount; ++n) {
        s.presetRed[n] = static_cast<std::int16_t>(presets[n][0]);
        s.presetGreen[n] = static_cast<std::int16_t>(presets[n][1]);
        s.presetBlue[n] = static_cast<std::int16_t>(presets[n][2]);
    }
    s.presetIndex = kPresetCount;
    return s;
}

}  // namespace velnor::testing
