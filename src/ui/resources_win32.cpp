// Reading stored resources into surfaces. The bitmaps are parsed by the portable DIB
// reader, the JPEG samples decoded from memory by WIC.
#include "ui/resources_win32.h"

#include <cstdint>
#include <span>

#include "engine/dib_reader.h"
#include "engine/picture_decoder_win32.h"
#include "resources/resource_ids.h"

namespace velnor {
namespace {

// The bytes of a resource; they live as long as the module.
std::span<const std::uint8_t> ResourceBytes(HINSTANCE instance, int id, LPCWSTR type) {
    HRSRC found = FindResourceW(instance, MAKEINTRESOURCEW(id), type);
    if (!found) return {};
    HGLOBAL loaded = LoadResource(instance, found);
    const DWORD size = SizeofResource(instance, found);
    const void* data = loaded ? LockResource(loaded) : nullptr;
    if (!data || size == 0) return {};
    return {static_cast<const std::uint8_t*>(data), size};
}

}  // namespace

std::optional<Surface> LoadSamplePicture(HINSTANCE instance, int sampleChoice) {
    if (sampleChoice != 0 && sampleChoice != 1) return std::nullopt;
    const int id = sampleChoice == 0 ? IDR_SAMPLE_PLANET : IDR_SAMPLE_NEBULA;
    const std::span<const std::uint8_t> bytes = ResourceBytes(instance, id, RT_RCDATA);
    if (bytes.empty()) return std::nullopt;
    return DecodePictureFromMemory(bytes.data(), bytes.size());
}

std::optional<Surface> LoadBitmapSurface(HINSTANCE instance, int bitmapId) {
    const std::span<const std::uint8_t> bytes = ResourceBytes(instance, bitmapId, RT_BITMAP);
    if (bytes.empty()) return std::nullopt;
    return SurfaceFromPackedDib(bytes);
}

}  // namespace velnor
