// Load time and peak memory of LoadSettings on damaged settings files of every shape and
// of 1, 4 and 16 MiB, each load in a fresh process (so its memory peak is its own), against
// a plain read of the same file in the same run. Prints a table; asserts nothing.
//   velnor_settings_load_bench [--max-mib N]   (sizes up to N MiB only)
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "settings/file_system.h"
#include "settings/load_settings.h"
#include "settings/text_encoding.h"
#include "temp_folder.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

// A /proc/self/status field in KiB.
long StatusKib(const char* field) {
    std::ifstream in("/proc/self/status");
    std::string line;
    while (std::getline(in, line)) {
        if (line.rfind(field, 0) == 0) return std::stol(line.substr(std::string(field).size()));
    }
    return -1;
}

// One measurement in this process: prints seconds and the memory peak above the start.
int MeasureOne(const std::string& mode, const fs::path& file) {
    const long before = StatusKib("VmRSS:");
    const auto start = Clock::now();
    if (mode == "load") {
        velnor::SaverSettings settings;
        const auto fileSystem = velnor::MakePlatformFileSystem();
        velnor::LoadSettings(settings, file, *fileSystem, *velnor::MakePlatformTextEncoding());
    } else {
        std::ifstream in(file, std::ios::binary);
        std::string bytes((std::istreambuf_iterator<char>(in)), {});
        if (bytes.empty()) return 1;
    }
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    std::printf("%.6f %ld\n", seconds, StatusKib("VmHWM:") - before);
    return 0;
}

struct Result {
    double seconds = -1;
    long peakKib = -1;
};

Result RunChild(const std::string& mode, const fs::path& file) {
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) return {};
    const pid_t child = fork();
    if (child == 0) {
        dup2(pipeEnds[1], 1);
        execl("/proc/self/exe", "bench", mode.c_str(), file.c_str(), nullptr);
        _exit(127);
    }
    close(pipeEnds[1]);
    char text[128] = {};
    const ssize_t got = read(pipeEnds[0], text, sizeof text - 1);
    close(pipeEnds[0]);
    int status = 0;
    waitpid(child, &status, 0);
    Result result;
    if (got <= 0 || std::sscanf(text, "%lf %ld", &result.seconds, &result.peakKib) != 2) return {};
    return result;
}

// Repeats `line` (after `head`) up to `bytes`.
std::string Repeated(const std::string& head, const std::function<std::string(long)>& line,
                     std::size_t bytes) {
    std::string text = head;
    for (long i = 0; text.size() < bytes; ++i) text += line(i);
    text.resize(bytes);
    return text;
}

struct Shape {
    const char* name;
    std::function<std::string(std::size_t)> make;
};

const std::vector<Shape>& Shapes() {
    static const std::vector<Shape> shapes = {
        {"one line", [](std::size_t n) { return "[Section]\r\nScale=" + std::string(n, '7'); }},
        {"LF only", [](std::size_t n) { return std::string(n, '\n'); }},
        {"CRLF only",
         [](std::size_t n) {
             return Repeated(
                 "", [](long) { return "\r\n"; }, n);
         }},
        {"many sections",
         [](std::size_t n) {
             return Repeated(
                 "", [](long) { return "[s]\n"; }, n);
         }},
        {"many keys",
         [](std::size_t n) {
             return Repeated(
                 "[Section]\r\n", [](long i) { return "k" + std::to_string(i) + "=1\r\n"; }, n);
         }},
        {"long keys", [](std::size_t n) {
             return Repeated(
                 "[Section]\r\n",
                 [](long i) { return std::string(4096, 'k') + std::to_string(i) + "=1\r\n"; }, n);
         }}};
    return shapes;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<int> sizesMib = {1, 4, 16};
    if (argc == 3 && std::string(argv[1]) == "--max-mib") {
        std::erase_if(sizesMib, [limit = std::stoi(argv[2])](int mib) { return mib > limit; });
    } else if (argc == 3) {
        return MeasureOne(argv[1], argv[2]);
    }
    const velnor::test::TempFolder temp("velnor-load-bench");
    const fs::path& folder = temp.path();
    std::printf("%-14s %5s %10s %10s %8s %12s %10s\n", "shape", "MiB", "load s", "read s", "ratio",
                "peak MiB", "peak/size");
    for (const Shape& shape : Shapes()) {
        for (const int mib : sizesMib) {
            const std::size_t bytes = static_cast<std::size_t>(mib) << 20;
            const fs::path file = folder / "Velnor.ini";
            std::ofstream(file, std::ios::binary) << shape.make(bytes);
            Result load = RunChild("load", file);
            const Result read = RunChild("read", file);
            for (int again = 0; again < 2; ++again) {  // best of three loads
                const Result other = RunChild("load", file);
                if (other.seconds >= 0 && other.seconds < load.seconds)
                    load.seconds = other.seconds;
            }
            std::printf("%-14s %5d %10.4f %10.4f %8.1f %12.1f %10.2f\n", shape.name, mib,
                        load.seconds, read.seconds, load.seconds / read.seconds,
                        static_cast<double>(load.peakKib) / 1024.0,
                        static_cast<double>(load.peakKib) / 1024.0 / mib);
        }
    }
    return 0;
}
