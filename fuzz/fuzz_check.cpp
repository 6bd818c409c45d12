// The failure report of the fuzz targets' property checks.
#include <cstdio>
#include <cstdlib>

#include "fuzz_input.h"

namespace velnor::fuzz {

void Fail(const char* what) {
    std::fprintf(stderr, "property violated: %s\n", what);
    std::abort();
}

}  // namespace velnor::fuzz
