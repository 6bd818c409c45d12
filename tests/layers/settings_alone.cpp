// Links the settings layer alone (whole archive) and nothing of a platform half (no POSIX
// file listing, no iconv): it must resolve every symbol on its own. It then loads a
// settings file through injected stand-ins for the platform services, as a host would.
#include <cstdio>
#include <filesystem>
#include <string>

#include "../settings/fake_file_system.h"
#include "settings/load_settings.h"
#include "settings/settings_keys.h"
#include "temp_folder.h"

namespace {

// Passes ASCII through unchanged and counts the conversions it was asked for.
class AsciiTextEncoding final : public velnor::TextEncoding {
  public:
    std::string Cp932ToUtf8(std::string_view cp932) const override {
        ++conversions;
        return std::string(cp932);
    }
    std::string Utf8ToCp932(std::string_view utf8) const override {
        ++conversions;
        return std::string(utf8);
    }
    mutable int conversions = 0;
};

}  // namespace

int main() {
    const std::string folder = std::string(1, velnor::kPathSeparator) + "pictures";
    velnor::test::FakeFileSystem fileSystem;
    fileSystem.Add(folder, "a.bmp", 0);
    fileSystem.Add(folder, "notes.txt", 0);

    const velnor::test::TempFolder temp("velnor-settings-alone");
    const std::filesystem::path file = temp.Write(
        "Velnor.ini", "[" + std::string(velnor::kSectionName) + "]\r\n" +
                          std::string(velnor::kPictureFolderKey) + "=" + folder + "\r\n");
    velnor::SaverSettings settings;
    AsciiTextEncoding text;
    velnor::LoadSettings(settings, file, fileSystem, text);

    // The file is UTF-8 (its key is Japanese), so nothing passes through cp932.
    const bool ok = text.conversions == 0 && settings.pictureFolder == folder &&
                    settings.pictures.paths.size() == 1 && settings.aspectTenths == 10;
    std::printf("settings alone: %s (folder \"%s\", %d picture(s), %d conversion(s))\n",
                ok ? "ok" : "FAILED", settings.pictureFolder.c_str(),
                static_cast<int>(settings.pictures.paths.size()), text.conversions);
    return ok ? 0 : 1;
}
