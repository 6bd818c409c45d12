// Fuzz target: the animation with settings at their 16-bit extremes on small surfaces.
// For a few hundred frames the changed-area composition must equal a full composition,
// and nothing may read or write outside a surface (the sanitizers catch that).
#include <cstdint>

#include "engine/animation.h"
#include "fuzz_input.h"

namespace {

using namespace velnor;

// A 16-bit value that is mostly an extreme or a small number, sometimes anything.
std::int16_t Pick(fuzz::FuzzInput& input) {
    constexpr std::int16_t kInteresting[] = {-32768, -32767, -1, 0, 1, 2, 10, 127, 32766, 32767};
    const std::uint8_t choice = input.Byte();
    if (choice < 200) return kInteresting[choice % std::size(kInteresting)];
    return static_cast<std::int16_t>(input.Word());
}

SaverSettings SettingsFrom(fuzz::FuzzInput& input) {
    SaverSettings s;
    s.aspectTenths = Pick(input);
    s.perspectiveOn = Pick(input);
    s.perspectiveDepth = Pick(input);
    for (auto& c : s.ballColour) c = Pick(input);
    for (auto& f : s.randomFlags) f = Pick(input);
    for (int i = 1; i < 3; ++i) {
        const std::uint32_t high = input.Word();
        s.lineColours[i] = static_cast<ColourRef>(high << 16 | input.Word());
    }
    s.frameDelayMs = Pick(input);
    s.scale = Pick(input);
    for (int n = 0; n < kPresetCount; ++n) {
        s.presetRed[n] = Pick(input);
        s.presetGreen[n] = Pick(input);
        s.presetBlue[n] = Pick(input);
    }
    return s;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::FuzzInput input(data, size);
    const int width = 1 + input.Byte() % 64;
    const int height = 1 + input.Byte() % 48;
    const int frames = 100 + input.Byte();
    const std::uint64_t seed = input.Word();
    const SaverSettings settings = SettingsFrom(input);
    Surface background(width / 2 + 1, height, 0x203040);
    Animation full(settings, width, height, seed), partial(settings, width, height, seed);
    Surface fullFrame(width, height), partialFrame(width, height);
    for (int frame = 0; frame < frames; ++frame) {
        full.AdvanceMotion();
        partial.AdvanceMotion();
        full.ComposeFrame(fullFrame, background, RestoreMode::kFull);
        partial.ComposeFrame(partialFrame, background);
        fuzz::Check(partialFrame == fullFrame, "changed-area frame differs from a full frame");
        full.AdvanceTilt();
        partial.AdvanceTilt();
    }
    return 0;
}
