// Checks on the bytes of a picture file made before it is decoded: which kind it is, and
// whether a JPEG or BMP holds all the data its headers announce. Decoders fill a cut-off
// file with grey or black rather than failing, and a half picture must not be shown. Each
// check is a view of the one reading of the file (ReadPictureFacts).
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "engine/picture_format.h"
#include "engine/picture_format_wmf.h"

namespace velnor {

// False when the data ends early: a JPEG cut inside its headers or picture data, a BMP
// shorter than its pixel data. A JPEG that lacks only its final end-of-image marker
// holds its whole picture and counts as complete. Other kinds are taken as complete
// here (their decoders report truncation themselves). False whenever HeadersLieWithin is.
bool LooksComplete(std::span<const std::uint8_t> bytes);

// LooksComplete for a whole file about to be decoded; a JPEG that lacks only its final
// end-of-image marker gets it appended, so that every decoder reads a complete file.
bool CompleteForDecoding(std::vector<std::uint8_t>& bytes);

// False when a BMP's information header or colour table claims more bytes than the data
// holds (the system's loaders may try to allocate that much before they notice), or when a
// metafile's headers and records do not hold together, or for data of no known kind that
// begins with the byte 1 (a metafile loader would take it); true for other data. The
// platform decoder checks this before it lets a loader see a file at all.
bool HeadersLieWithin(std::span<const std::uint8_t> bytes);

}  // namespace velnor
