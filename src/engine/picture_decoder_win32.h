// Windows picture decoding: WIC for BMP, GIF and JPEG (files and memory), GDI metafile
// playback for WMF. MakePictureDecoder (engine/picture_decoder.h) returns the decoder
// for files; stored JPEG resources are decoded from memory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

#include "engine/picture_decoder.h"
#include "engine/surface.h"

namespace velnor {

// Decodes a BMP, GIF or JPEG held in memory (first frame, transparency over black).
// Initialises COM on the calling thread if needed. Sizes beyond IsAcceptablePictureSize
// are refused.
std::optional<Surface> DecodePictureFromMemory(const std::uint8_t* data, std::size_t size);

// Plays a Windows metafile (placeable, with its 22-byte header, or plain) onto white
// paper at `playAt`, or else at its own size: the placeable header's bounding box and
// units per inch, or the frame the plain metafile records, at the screen's pixels per inch.
// With a `part` (inside that size), only that part is played, onto paper of its size.
std::optional<Surface> DecodeMetafileBytes(const std::uint8_t* data, std::size_t size,
                                           std::optional<PictureSize> playAt = std::nullopt,
                                           PictureBox part = {});

// The own size of a metafile as DecodeMetafileBytes plays it, without playing it;
// nothing for sizes beyond IsAcceptablePictureSize.
std::optional<PictureSize> MetafileBytesSize(const std::uint8_t* data, std::size_t size);

// The screen's pixels per inch, at which metafiles are played.
int MetafilePixelsPerInch();

}  // namespace velnor
