// velno-assetgen <resources-dir> [contact-sheet.png]
//
// Writes every picture, sound, the icon and the tune of the game into the
// resources directory, and the contact sheet (by default docs/assets.png next
// to the resources directory). The output depends only on this program and
// the fonts it renders, so running it again reproduces the same bytes.
#include <cstdio>
#include <filesystem>
#include <string>

#include "assets.h"

using namespace assetgen;

namespace {

bool write(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
    if (!writeFile(path.string(), bytes)) {
        std::fprintf(stderr, "velno-assetgen: cannot write %s\n", path.string().c_str());
        return false;
    }
    return true;
}

std::string number3(int n) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%03d", n);
    return buf;
}

}  // namespace

// Fontconfig keeps a little of its parsed configuration for the life of the
// process; a sanitizer build's leak checker is told so.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: velno-assetgen <resources-dir> [contact-sheet.png]\n");
        return 2;
    }
    namespace fs = std::filesystem;
    const fs::path root = argv[1];
    const fs::path sheetPath =
        argc == 3 ? fs::path(argv[2]) : fs::absolute(root).lexically_normal().parent_path() /
                                            "docs" / "assets.png";
    std::error_code ec;
    fs::create_directories(root / "pictures", ec);
    fs::create_directories(root / "sounds", ec);
    fs::create_directories(sheetPath.parent_path(), ec);

    if (!initFonts()) return 1;
    bool ok = true;
    const std::vector<Picture> pictures = makePictures();
    for (const Picture& p : pictures)
        ok = write(root / "pictures" / (number3(p.number) + ".bmp"), encodeDib(p.image)) && ok;
    const std::vector<Sound> sounds = makeSounds();
    for (const Sound& s : sounds)
        ok = write(root / "sounds" / (number3(s.number) + ".wav"), s.wave) && ok;
    Canvas iconPreview(32, 32);
    ok = write(root / "icon.ico", makeIcon(&iconPreview)) && ok;
    std::vector<TuneNote> tune;
    int ticksPerBar = 0;
    ok = write(root / "VELNO.MID", makeMusic(&tune, &ticksPerBar)) && ok;
    Canvas sheet = makeContactSheet(pictures, iconPreview, sounds, tune, ticksPerBar);
    if (!savePng(sheet, sheetPath.string())) {
        std::fprintf(stderr, "velno-assetgen: cannot write %s\n", sheetPath.string().c_str());
        ok = false;
    }
    closeFonts();
    return ok ? 0 : 1;
}
