// Command-line options of velnor-render, the headless renderer of the saver's animation.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace velnor::render {

struct RenderOptions {
    std::optional<std::string> iniFile;  // none: every setting at its default
    int width = 1024;
    int height = 768;
    long long frames = 600;
    std::uint64_t seed = 1;
    std::optional<std::string> pngFolder;
    long long every = 1;  // with pngFolder: frames every, 2 * every, ... are written
    std::optional<std::string> traceFile;
    long long pictureEvery = 0;  // frames per folder picture; 0: pictureInterval at 60 fps
    bool timing = false;         // pace frames like the saver and report frame times
    bool help = false;
};

// Parses the arguments after the program name. On a bad argument returns nothing and
// sets `error` to a message naming it.
std::optional<RenderOptions> ParseRenderOptions(const std::vector<std::string>& arguments,
                                                std::string& error);

extern const char* const kRenderUsage;

}  // namespace velnor::render
