// Applies the settings given on the command line over those of the settings file; new
// picture kinds or a new folder list the folder again, as the loader does.
#include "settings/picture_scan.h"
#include "x11/saver_options.h"

namespace velnor {

void ApplySettingsOverrides(const SettingsOverrides& o, SaverSettings& settings,
                            FileSystem& fileSystem) {
    auto put = [](const auto& value, auto& field) {
        if (value) field = *value;
    };
    put(o.aspectTenths, settings.aspectTenths);
    put(o.perspectiveOn, settings.perspectiveOn);
    put(o.perspectiveDepth, settings.perspectiveDepth);
    put(o.frameDelayMs, settings.frameDelayMs);
    put(o.scale, settings.scale);
    put(o.ballColour, settings.ballColour);
    for (std::size_t i = 0; i < 3; ++i) put(o.randomFlags[i], settings.randomFlags[i]);
    put(o.parallelColour, settings.lineColours[1]);
    put(o.meridianColour, settings.lineColours[2]);
    put(o.pictureInterval, settings.pictureInterval);
    put(o.pictureSize, settings.pictureSize);
    put(o.useSample, settings.useSample);
    put(o.sampleChoice, settings.sampleChoice);
    put(o.pictureKinds, settings.pictureKinds);
    put(o.pictureFolder, settings.pictureFolder);
    if (!o.pictureFolder && !o.pictureKinds) return;
    settings.pictures.pictureCount = 0;
    if (FolderExists(settings.pictureFolder, fileSystem)) {
        ScanPictureFolder(settings.pictureFolder, settings.pictureKinds, settings.pictures,
                          fileSystem);
    } else {
        settings.pictureFolder.clear();
    }
}

}  // namespace velnor
