// velnor.xml, the description of Velnor's options for the daemon's settings program,
// made from the settings table at build time. Every control writes its option in every
// state, so the command line it makes always states what the panel shows. Portable.
#pragma once

#include <string>

namespace velnor {

std::string SettingsDescriptionXml();

}  // namespace velnor
