// File-name wildcard matching as the Windows file listing does it, for platforms whose own
// listing has no patterns.
#pragma once

#include <string_view>

namespace velnor {

// "*" matches any run of characters, "?" exactly one (UTF-8) character; ASCII letters match
// regardless of case. A pattern ending in ".*" also matches names without that extension,
// so "*.*" matches every name.
bool WildcardMatch(std::string_view pattern, std::string_view name);

}  // namespace velnor
