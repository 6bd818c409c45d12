// velnor: the native Linux program for the X11 screen-saver daemon. Reads the settings
// file, applies the command line, finds the sample picture and the window to draw on,
// and runs the frame loop until the daemon ends it.
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "engine/picture_decoder.h"
#include "settings/file_system.h"
#include "settings/load_settings.h"
#include "settings/settings_location.h"
#include "settings/text_encoding.h"
#include "x11/display_x11.h"
#include "x11/quit_signal.h"
#include "x11/saver_options.h"
#include "x11/saver_x11.h"

namespace velnor {
namespace {

constexpr int kUsageError = 2;

std::filesystem::path UserSettingsFile() {
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    const char* home = std::getenv("HOME");
    const std::filesystem::path folder = XdgPerUserFolder(xdg ? xdg : "", home ? home : "");
    return folder.empty() ? folder : folder / kSettingsFileName;
}

// The sample pictures lie beside the program (a build, or a copied program) or, for an
// installed one (<prefix>/libexec/xscreensaver/velnor), in <prefix>/share/velnor.
std::optional<Surface> LoadSample(int sampleChoice) {
    if (sampleChoice != 0 && sampleChoice != 1) return std::nullopt;
    const char* name = sampleChoice == 0 ? "sample1.jpg" : "sample2.jpg";
    std::error_code error;
    const std::filesystem::path folder =
        std::filesystem::read_symlink("/proc/self/exe", error).parent_path();
    if (error) return std::nullopt;
    const std::filesystem::path installed = folder.parent_path().parent_path() / "share" / "velnor";
    std::unique_ptr<PictureDecoder> decoder = MakePictureDecoder();
    for (const std::filesystem::path& candidate : {folder / name, installed / name}) {
        if (auto picture = decoder->Decode(candidate.string())) return picture;
    }
    return std::nullopt;
}

std::uint64_t ClockSeed() {
    return static_cast<std::uint64_t>(
        std::chrono::high_resolution_clock::now().time_since_epoch().count());
}

int Run(const std::vector<std::string>& arguments) {
    std::string error;
    const std::optional<SaverOptions> options = ParseSaverOptions(arguments, error);
    if (!options) {
        std::cerr << "velnor: " << error << "\n";
        return kUsageError;
    }
    if (options->help) {
        std::cout << kSaverUsage;
        return 0;
    }
    const int quitFd = InstallQuitSignals();
    SaverSettings settings;
    const std::unique_ptr<FileSystem> fileSystem = MakePlatformFileSystem();
    LoadSettings(settings, UserSettingsFile(), *fileSystem, *MakePlatformTextEncoding());
    ApplySettingsOverrides(options->settings, settings, *fileSystem);
    std::optional<Surface> sample;
    if (settings.useSample == 1) sample = LoadSample(settings.sampleChoice);

    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::cerr << "velnor: cannot open the display '" << XDisplayName(nullptr) << "'\n";
        return 1;
    }
    InstallErrorHandler();
    int status = 1;
    if (const auto target = OpenDrawWindow(display, options->target, options->windowId)) {
        SaverRun run;
        run.settings = &settings;
        run.sample = sample ? &*sample : nullptr;
        run.seed = options->seed.value_or(ClockSeed());
        run.allowSharedMemory = !options->noSharedMemory;
        run.fitBallToWindow = options->target == DrawTarget::kGivenWindow;
        run.quitFd = quitFd;
        SaverX11(display, *target, run).Run();  // ends the process
    } else {
        std::cerr << "velnor: no window " << options->windowId << " on this display\n";
    }
    XCloseDisplay(display);
    return status;
}

}  // namespace
}  // namespace velnor

int main(int argc, char** argv) {
    return velnor::Run(std::vector<std::string>(argv + 1, argv + argc));
}
