// velnor: the native Linux program for the X11 screen-saver daemon. Reads the settings
// file, applies the command line, finds the sample picture and the window to draw on,
// and runs the frame loop until the daemon ends it.
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <span>
#include <string>
#include <vector>

#include "engine/picture_decoder.h"
#include "settings/file_system.h"
#include "settings/load_settings.h"
#include "settings/settings_location.h"
#include "settings/text_encoding.h"
#include "x11/colour_names_x11.h"
#include "x11/display_x11.h"
#include "x11/folder_argument.h"
#include "x11/quit_signal.h"
#include "x11/saver_options.h"
#include "x11/saver_x11.h"

namespace velnor {
namespace {

constexpr int kUsageError = 2;

std::string EnvironmentText(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

std::filesystem::path UserSettingsFile() {
    const std::filesystem::path folder =
        XdgPerUserFolder(EnvironmentText("XDG_CONFIG_HOME"), EnvironmentText("HOME"));
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

// `command`: the program's name and its arguments.
int Run(const std::vector<std::string>& command) {
    std::string error;
    const std::span<const std::string> arguments =
        command.empty() ? std::span<const std::string>{} : std::span(command).subspan(1);
    std::optional<SaverOptions> options = ParseSaverOptions(arguments, error);
    if (!options) {
        std::cerr << "velnor: " << error << "\n";
        return kUsageError;
    }
    if (options->help || options->version) {
        std::cout << (options->help ? SaverUsage()
                                    : "velnor " + std::string(SaverVersion()) + "\n");
        return 0;
    }
    const int quitFd = InstallQuitSignals();
    const char* displayName = options->display.empty() ? nullptr : options->display.c_str();
    Display* display = XOpenDisplay(displayName);
    if (!display) {
        std::cerr << "velnor: cannot open the display '" << XDisplayName(displayName) << "'\n";
        return 1;
    }
    InstallErrorHandler();
    SaverSettings settings;
    const std::unique_ptr<FileSystem> fileSystem = MakePlatformFileSystem();
    // Under the daemon the command line its settings panel wrote is the whole of the
    // settings; the file is read only for a window of the program's own.
    const std::filesystem::path file =
        options->target == DrawTarget::kOwnWindow ? UserSettingsFile() : std::filesystem::path{};
    LoadSettings(settings, file, *fileSystem, *MakePlatformTextEncoding());
    ResolveStoredFolder(settings, EnvironmentText("HOME"), *fileSystem);
    std::optional<std::string> folder;  // as the command line gave it, once resolved
    if (options->settings.Given("folder")) {
        std::string& given = options->settings.values.pictureFolder;
        given = ResolveFolderArgument(given, EnvironmentText("HOME"), *fileSystem);
        folder = given;
    }
    ApplySettingsOverrides(
        options->settings, settings, *fileSystem, XColourNames(display),
        [](const std::string& line) { std::cerr << "velnor: " << line << "\n"; });
    if (const auto note = FolderBackgroundNote(settings, folder, *fileSystem)) {
        std::cerr << "velnor: " << *note << "\n";
    }
    std::optional<Surface> sample;
    if (settings.useSample == 1) sample = LoadSample(settings.sampleChoice);
    int status = 1;
    if (const auto target = OpenDrawWindow(display, options->target, options->windowId, command)) {
        SaverRun run;
        run.settings = &settings;
        run.sample = sample ? &*sample : nullptr;
        run.seed = options->seed.value_or(ClockSeed());
        run.allowSharedMemory = !options->noSharedMemory;
        run.fitBallToWindow = options->target == DrawTarget::kGivenWindow;
        run.quitFd = quitFd;
        run.showFrameRate = options->showFrameRate;
        SaverX11(display, *target, run).Run();  // ends the process
    } else {
        // In hexadecimal, as window ids are written by X tools and passed by the daemon.
        std::cerr << "velnor: no window 0x" << std::hex << options->windowId
                  << " on this display\n";
    }
    XCloseDisplay(display);
    return status;
}

}  // namespace
}  // namespace velnor

int main(int argc, char** argv) {
    const int status = velnor::Run(std::vector<std::string>(argv, argv + argc));
    // Stopped by SIGTERM or SIGINT: end by that signal, as a display mode without a
    // handler of its own would, which is what the daemon logs as a normal end.
    velnor::EndByQuitSignal();
    return status;
}
