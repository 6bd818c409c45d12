// The structural check of a Windows metafile (placeable or not) that the picture checks run
// before any loader sees it: headers, then every record up to the end record.
#pragma once

#include <cstdint>
#include <span>

namespace velnor {

// Whether `bytes` (sniffed as a metafile) holds together: a placeable header with a
// non-empty bounding box and units per inch, a metafile header of a known type and
// version, and records of at least three words each, none beyond the data or larger than
// the header's largest record, ending with a three-word end record inside the data.
bool MetafileHoldsTogether(std::span<const std::uint8_t> bytes);

}  // namespace velnor
