// Fuzz target: arbitrary bytes as a settings file. The one-pass lookup of many keys must
// agree with single lookups, the file reader with the text functions (for a cp932 file),
// and the loader must finish on anything without touching the disk beyond the file.
#include <cstdint>
#include <fstream>
#include <memory>
#include <string>

#include "fuzz_input.h"
#include "settings/file_text.h"
#include "settings/ini_file.h"
#include "settings/ini_text.h"
#include "settings/load_settings.h"
#include "settings/settings_keys.h"
#include "settings/text_encoding.h"

namespace {

using namespace velnor;

// A file system with nothing in it, so a folder named in the file is never scanned.
class EmptyFileSystem final : public FileSystem {
  public:
    FileListing ListMatching(std::string_view, bool) override { return {}; }
    std::optional<int> AttributesOf(std::string_view) override { return std::nullopt; }
};

const TextEncoding& PlatformText() {
    static const std::unique_ptr<TextEncoding> text = MakePlatformTextEncoding();
    return *text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::FuzzInput input(data, size);
    const std::string section = input.Text();
    const std::string key = input.Text();
    const std::string_view contents = input.Rest();

    const std::string_view keys[] = {key, kScaleKey, kAspectKey, "Section", section};
    const auto many = FindIniValues(contents, section, keys);
    for (std::size_t k = 0; k < std::size(keys); ++k) {
        fuzz::Check(many[k] == FindIniValue(contents, section, keys[k]), "one pass == single");
    }

    static const std::string file = fuzz::ScratchFile("reader.ini");
    std::ofstream(file, std::ios::binary | std::ios::trunc) << contents;
    const auto ascii = [](std::string_view text) {
        for (const char c : text) {
            if (static_cast<unsigned char>(c) >= 0x80) return false;
        }
        return true;
    };
    if (DetectFileForm(contents).encoding == FileEncoding::kCp932 && ascii(section) && ascii(key)) {
        fuzz::Check(ReadIniValue(section, key, file, PlatformText()) ==
                        PlatformText().Cp932ToUtf8(many[0].value_or("")),
                    "file == text");
    }
    SaverSettings settings;
    EmptyFileSystem fileSystem;
    LoadSettings(settings, file, fileSystem, PlatformText());
    return 0;
}
