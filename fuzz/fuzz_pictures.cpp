// Fuzz target: arbitrary bytes through every picture reader and check of our own (each
// format's one reading: kind, header and EXIF orientation, completeness; the bitmap
// reader, the metafile size) and
// through the gdk-pixbuf decoder wrapper, which must refuse every other kind. A bitmap that is
// accepted never announces more pixels than its bytes hold.
#include <cstdint>
#include <fstream>
#include <span>
#include <string>
#include <vector>

#include "engine/dib_reader.h"
#include "engine/picture_checks.h"
#include "engine/picture_decoder.h"
#include "engine/picture_format.h"
#include "engine/picture_header.h"
#include "fuzz_input.h"

namespace {

using namespace velnor;

constexpr long long kMaxFuzzedPixels = 1'000'000;

// The one reading of the bytes by their format's row holds together, and a JPEG completed
// with its missing end marker reads as the same picture, now ending properly.
void CheckFacts(std::span<const std::uint8_t> bytes, PictureKind kind) {
    const PictureFacts facts = ReadPictureFacts(bytes, 96);
    fuzz::Check(facts.header.kind == kind, "facts of another kind");
    fuzz::Check(!facts.complete || facts.headersLieWithin, "complete but lying headers");
    fuzz::Check(!facts.endMarkerMissing || (facts.complete && kind == PictureKind::kJpeg),
                "end marker missing from a file that is not a complete JPEG");
    fuzz::Check(facts.header.orientation >= 1 && facts.header.orientation <= 8,
                "orientation out of range");
    if (!facts.endMarkerMissing) return;
    std::vector<std::uint8_t> completed(bytes.begin(), bytes.end());
    PictureFormatOf(kind)->prepare(completed, facts);
    const PictureFacts after = ReadPictureFacts(completed, 96);
    fuzz::Check(after.complete && !after.endMarkerMissing, "completed JPEG still incomplete");
    fuzz::Check(after.sized == facts.sized && after.header.stored == facts.header.stored &&
                    after.header.orientation == facts.header.orientation,
                "completing a JPEG changed its header");
}

void CheckFits(const std::optional<Surface>& surface, std::size_t bytes) {
    if (!surface) return;
    const auto pixels = static_cast<std::size_t>(surface->width()) * surface->height();
    // At least one bit per pixel must have been there.
    fuzz::Check(pixels <= bytes * 8, "bitmap larger than its bytes");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    const PictureKind kind = SniffPictureKind(bytes);
    const bool complete = LooksComplete(bytes);
    CheckFacts(bytes, kind);
    for (const int pixelsPerInch : {1, 72, 96, 32767}) {
        if (const auto metafile = PlaceableMetafileSize(bytes, pixelsPerInch)) {
            fuzz::Check(kind == PictureKind::kMetafile, "metafile size of another kind");
            fuzz::Check(metafile->width > 0 && metafile->height > 0, "empty metafile size");
        }
    }
    const auto header = ReadPictureHeader(bytes, 96);
    if (header) {
        fuzz::Check(header->kind == kind && kind != PictureKind::kUnknown,
                    "header of another kind");
        fuzz::Check(header->stored.width == 0 ||
                        IsAcceptablePictureSize(header->stored.width, header->stored.height),
                    "header size beyond the limits");
    }
    const int orientation = JpegOrientation(bytes);
    fuzz::Check(orientation >= 1 && orientation <= 8, "orientation out of range");
    CheckFits(SurfaceFromPackedDib(bytes), size);
    const auto bmp = SurfaceFromBmpFile(bytes);
    CheckFits(bmp, size);
    if (bmp) fuzz::Check(kind == PictureKind::kBmp, "a bitmap that is not BM");

    // The platform decoder reads files and lets through only what the byte checks pass
    // (the metafile library leaks every picture it renders, which is not ours to mend:
    // fuzz/lsan.supp). Other kinds (TIFF, SVG, PNG...) must be refused before any loader.
    static const std::string file = fuzz::ScratchFile("picture");
    std::ofstream(file, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    static const auto decoder = MakePictureDecoder();
    if (kind == PictureKind::kUnknown) {
        fuzz::Check(!decoder->Probe(file) && !decoder->Decode(file), "another kind decoded");
        return 0;
    }
    if (!complete) return 0;
    const auto probed = decoder->Probe(file);
    if (!probed) return 0;
    fuzz::Check(probed->width > 0 && probed->height > 0, "empty probed size");
    // Big pictures only make runs slow; the size limits have unit tests.
    if (static_cast<long long>(probed->width) * probed->height > kMaxFuzzedPixels) return 0;
    if (const auto surface = decoder->Decode(file)) {
        fuzz::Check(IsAcceptablePictureSize(surface->width(), surface->height()),
                    "decoded beyond the size limit");
        fuzz::Check(PictureSize{surface->width(), surface->height()} == *probed,
                    "decoded size differs from the probed one");
    }
    return 0;
}
