// The failure report of the fuzz targets' property checks and their scratch files.
#include <cstdio>
#include <cstdlib>

#include "fuzz_input.h"
#include "temp_folder.h"

namespace velnor::fuzz {

void Fail(const char* what) {
    std::fprintf(stderr, "property violated: %s\n", what);
    std::abort();
}

std::string ScratchFile(std::string_view name) {
    static const test::TempFolder folder("velnor-fuzz");
    return (folder.path() / name).string();
}

}  // namespace velnor::fuzz
