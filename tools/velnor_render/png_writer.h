// Writes a surface as a PNG file (through gdk-pixbuf; linked only into the tools).
#pragma once

#include <string>

#include "engine/surface.h"

namespace velnor::render {

// Saves `surface` as 8-bit RGB. Returns false with `error` set when it cannot be written.
bool WritePng(const Surface& surface, const std::string& path, std::string& error);

}  // namespace velnor::render
