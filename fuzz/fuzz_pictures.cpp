// Fuzz target: arbitrary bytes through every picture reader and check of our own (kind,
// completeness, the bitmap reader, the metafile size) and, for every kind they pass,
// through the gdk-pixbuf decoder wrapper. A bitmap that is accepted never announces more
// pixels than its bytes hold.
#include <cstdint>
#include <fstream>
#include <span>
#include <string>

#include "engine/dib_reader.h"
#include "engine/picture_checks.h"
#include "engine/picture_decoder.h"
#include "fuzz_input.h"

namespace {

using namespace velnor;

constexpr long long kMaxFuzzedPixels = 1'000'000;

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
    for (const int pixelsPerInch : {1, 72, 96, 32767}) {
        if (const auto metafile = PlaceableMetafileSize(bytes, pixelsPerInch)) {
            fuzz::Check(kind == PictureKind::kMetafile, "metafile size of another kind");
            fuzz::Check(metafile->width > 0 && metafile->height > 0, "empty metafile size");
        }
    }
    CheckFits(SurfaceFromPackedDib(bytes), size);
    const auto bmp = SurfaceFromBmpFile(bytes);
    CheckFits(bmp, size);
    if (bmp) fuzz::Check(kind == PictureKind::kBmp, "a bitmap that is not BM");

    // The platform decoder reads files: only inputs that pass the byte checks reach the
    // system's loaders, as in the program (the metafile library leaks every picture it
    // renders, which is not ours to mend: fuzz/lsan.supp).
    if (kind == PictureKind::kUnknown || !complete) return 0;
    static const std::string file = fuzz::ScratchFile("picture");
    std::ofstream(file, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    static const auto decoder = MakePictureDecoder();
    const auto probed = decoder->Probe(file);
    if (!probed) return 0;
    fuzz::Check(probed->width > 0 && probed->height > 0, "empty probed size");
    // Big pictures only make runs slow; the size limits have unit tests.
    if (static_cast<long long>(probed->width) * probed->height > kMaxFuzzedPixels) return 0;
    if (const auto surface = decoder->Decode(file)) {
        fuzz::Check(IsAcceptablePictureSize(surface->width(), surface->height()),
                    "decoded beyond the size limit");
    }
    return 0;
}
