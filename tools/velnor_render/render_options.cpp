// Parses velnor-render's options: "--name value" or "--name=value", each at most once.
#include "render_options.h"

#include <charconv>
#include <set>

namespace velnor::render {
namespace {

// The largest surface accepted: 8192 x 8192 pixels (256 MB).
constexpr long long kMaxPixels = 8192LL * 8192LL;
constexpr int kMaxSide = 16384;

template <typename Number>
bool ParseNumber(const std::string& text, Number& value) {
    const char* end = text.data() + text.size();
    const auto [stop, status] = std::from_chars(text.data(), end, value);
    return status == std::errc() && stop == end && !text.empty();
}

bool ParseSize(const std::string& text, int& width, int& height) {
    const auto x = text.find_first_of("xX");
    if (x == std::string::npos) return false;
    if (!ParseNumber(text.substr(0, x), width) || !ParseNumber(text.substr(x + 1), height)) {
        return false;
    }
    return width >= 1 && height >= 1 && width <= kMaxSide && height <= kMaxSide &&
           static_cast<long long>(width) * height <= kMaxPixels;
}

// Applies one option's value; false with `error` set when the value is bad.
bool Apply(RenderOptions& o, const std::string& name, const std::string& value,
           std::string& error) {
    bool good = true;
    if (name == "--ini") {
        good = !value.empty();
        o.iniFile = value;
    } else if (name == "--size") {
        good = ParseSize(value, o.width, o.height);
    } else if (name == "--frames") {
        good = ParseNumber(value, o.frames) && o.frames >= 0;
    } else if (name == "--seed") {
        good = ParseNumber(value, o.seed);
    } else if (name == "--png") {
        good = !value.empty();
        o.pngFolder = value;
    } else if (name == "--every") {
        good = ParseNumber(value, o.every) && o.every >= 1;
    } else if (name == "--trace") {
        good = !value.empty();
        o.traceFile = value;
    } else if (name == "--picture-every") {
        good = ParseNumber(value, o.pictureEvery) && o.pictureEvery >= 1;
    }
    if (!good) error = "bad value for " + name + ": '" + value + "'";
    return good;
}

}  // namespace

const char* const kRenderUsage =
    "usage: velnor-render [--ini FILE] [--size WxH] [--frames N] [--seed S]\n"
    "                     [--png DIR] [--every K] [--trace FILE]\n"
    "                     [--picture-every N] [--timing]\n"
    "  --ini FILE    settings file (default: none, every setting at its default)\n"
    "  --size WxH    screen size in pixels (default 1024x768)\n"
    "  --frames N    frames to render (default 600)\n"
    "  --seed S      seed of the random choices (default 1)\n"
    "  --png DIR     write frames as DIR/frame-000001.png ...\n"
    "  --every K     with --png: write only every K-th frame (default 1)\n"
    "  --trace FILE  write one JSON line of motion state and screen points per frame\n"
    "  --picture-every N  change the folder picture every N frames (default: the\n"
    "                pictureInterval setting at 60 frames per second); with 1, on\n"
    "                every frame from the third on\n"
    "  --timing      pace frames at 10 ms as the saver does, take picture changes when\n"
    "                ready, and report frame times around the changes\n";

std::optional<RenderOptions> ParseRenderOptions(const std::vector<std::string>& arguments,
                                                std::string& error) {
    static const std::set<std::string> kNames = {"--ini", "--size",  "--frames", "--seed",
                                                 "--png", "--every", "--trace",  "--picture-every"};
    RenderOptions options;
    std::set<std::string> seen;
    for (std::size_t n = 0; n < arguments.size(); ++n) {
        std::string name = arguments[n], value;
        if (name == "--help" || name == "-h") {
            options.help = true;
            continue;
        }
        if (name == "--timing") {
            options.timing = true;
            continue;
        }
        const auto equals = name.find('=');
        if (equals != std::string::npos) {
            value = name.substr(equals + 1);
            name.resize(equals);
        } else if (kNames.contains(name)) {
            if (n + 1 == arguments.size()) {
                error = "missing value after " + name;
                return std::nullopt;
            }
            value = arguments[++n];
        }
        if (!kNames.contains(name)) {
            error = "unknown argument '" + arguments[n] + "'";
            return std::nullopt;
        }
        if (!seen.insert(name).second) {
            error = name + " given twice";
            return std::nullopt;
        }
        if (!Apply(options, name, value, error)) return std::nullopt;
    }
    return options;
}

}  // namespace velnor::render
