// velnor-render: runs the saver's animation off screen with a settings file, writing
// frames as PNG pictures and the motion state of every frame as JSON Lines.
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "png_writer.h"
#include "render_options.h"
#include "render_platform.h"
#include "render_timing.h"
#include "saver/saver_scene.h"
#include "settings/file_system.h"
#include "settings/load_settings.h"
#include "trace_writer.h"

namespace velnor::render {
namespace {

constexpr int kUsageError = 2;
constexpr int kRunError = 1;

int Fail(const std::string& message) {
    std::cerr << "velnor-render: " << message << "\n";
    return kRunError;
}

// Settings as the saver would load them; no file means every key at its default.
bool LoadRenderSettings(const RenderOptions& options, SaverSettings& settings, std::string& error) {
    std::filesystem::path file;
    if (options.iniFile) {
        file = *options.iniFile;
        // Only a regular file is opened: opening a pipe would wait for a writer forever.
        std::error_code ignored;
        if (!std::filesystem::is_regular_file(file, ignored)) {
            error = "cannot read settings file '" + *options.iniFile + "' (not a regular file)";
            return false;
        }
        std::ifstream probe(file, std::ios::binary);
        if (!probe) {
            error = "cannot read settings file '" + *options.iniFile + "'";
            return false;
        }
    }
    const std::unique_ptr<FileSystem> fileSystem = MakePlatformFileSystem();
    LoadSettings(settings, file, *fileSystem, *MakePlatformTextEncoding());
    return true;
}

std::string FramePath(const std::string& folder, long long frame) {
    char name[40];
    std::snprintf(name, sizeof name, "frame-%06lld.png", frame);
    return (std::filesystem::path(folder) / name).string();
}

// Renders every frame on the saver loop; writes the trace and pictures on the way.
int Render(const RenderOptions& options, const SaverSettings& settings, std::FILE* trace) {
    const double inLoopChangeMs =
        options.timing ? InLoopChangeMs(settings, options.width, options.height) : 0;
    std::string line;
    auto lastReport = std::chrono::steady_clock::now();
    auto sink = [&](long long n, const SaverScene& scene) -> std::string {
        if (trace != nullptr) {
            line.clear();
            AppendTraceLine(line, n, scene.animation());
            if (std::fwrite(line.data(), 1, line.size(), trace) != line.size()) {
                return "cannot write the trace file";
            }
        }
        if (options.pngFolder && n % options.every == 0) {
            std::string error;
            if (!WritePng(scene.frame(), FramePath(*options.pngFolder, n), error)) return error;
        }
        const auto now = std::chrono::steady_clock::now();
        if (now - lastReport >= std::chrono::seconds(1)) {
            std::cerr << "velnor-render: frame " << n << " of " << options.frames << "\n";
            lastReport = now;
        }
        return std::string();
    };
    RenderPlatform platform(options.width, options.height, options.seed, options.frames,
                            FramesPerPicture(settings, options.pictureEvery), options.timing, sink);
    RenderFrames(platform, settings);
    if (!platform.error().empty()) return Fail(platform.error());
    if (options.timing) std::cout << platform.times().Report(inLoopChangeMs);
    return 0;
}

int Run(const std::vector<std::string>& arguments) {
    std::string error;
    const std::optional<RenderOptions> options = ParseRenderOptions(arguments, error);
    if (!options) {
        std::cerr << "velnor-render: " << error << "\n" << kRenderUsage;
        return kUsageError;
    }
    if (options->help) {
        std::cout << kRenderUsage;
        return 0;
    }
    SaverSettings settings;
    if (!LoadRenderSettings(*options, settings, error)) return Fail(error);
    if (options->pngFolder) {
        std::error_code failure;
        std::filesystem::create_directories(*options->pngFolder, failure);
        if (failure) return Fail("cannot create folder '" + *options->pngFolder + "'");
    }
    std::FILE* trace = nullptr;
    if (options->traceFile) {
        trace = std::fopen(options->traceFile->c_str(), "wb");
        if (trace == nullptr) return Fail("cannot write trace file '" + *options->traceFile + "'");
    }
    int status = Render(*options, settings, trace);
    if (trace != nullptr && std::fclose(trace) != 0 && status == 0) {
        status = Fail("cannot write the trace file");
    }
    return status;
}

}  // namespace
}  // namespace velnor::render

int main(int argc, char** argv) {
    return velnor::render::Run(std::vector<std::string>(argv + 1, argv + argc));
}
