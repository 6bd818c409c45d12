// Generates the program's stored pictures, cursors and icon, and the installer's side
// picture, into a folder (normally src/resources). The output is the same byte for byte
// on every run, so the generated files can be committed and checked against a fresh run.
#include <cstdio>
#include <string>

#include "engine/orbiting_ball.h"
#include "resource_maker/dialog_art.h"
#include "resource_maker/icon_art.h"
#include "resource_maker/installer_art.h"
#include "resource_maker/resource_formats.h"
#include "resource_maker/sample_pictures.h"

int main(int argc, char** argv) {
    using namespace velnor::resources;
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_FOLDER\n", argv[0]);
        return 2;
    }
    const std::string folder = std::string(argv[1]) + "/";
    constexpr int kJpegQuality = 92;
    const struct {
        const char* name;
        Bytes bytes;
    } files[] = {
        {"sample1.jpg", JpegBytes(MakePlanetPicture(), kJpegQuality)},
        {"sample2.jpg", JpegBytes(MakeNebulaPicture(), kJpegQuality)},
        {"preview.bmp", Bmp24Bytes(MakePreviewStill())},
        {"mask48.bmp", Bmp8GreyBytes(velnor::MakeOrbitingBallMask(velnor::kSpriteSize))},
        {"texture.bmp", Bmp24Bytes(MakePanelTexture())},
        {"hand.cur", CursorBytes(MakeHandCursor())},
        {"link_hand.cur", CursorBytes(MakeLinkHandCursor())},
        {"installer_side.bmp", Bmp24Bytes(MakeInstallerSide())},
        {"velnor.ico",
         IconBytes({MakeIconImage(16), MakeIconImage(32), MakeIconImage(48), MakeIconImage(256)})},
    };
    for (const auto& file : files) {
        if (!WriteFile(folder + file.name, file.bytes)) {
            std::fprintf(stderr, "cannot write %s%s\n", folder.c_str(), file.name);
            return 1;
        }
    }
    return 0;
}
