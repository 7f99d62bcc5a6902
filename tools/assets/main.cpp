// tavrenne-assets: writes the game's pictures, music and sound effects into a
// dat folder, the icon and cursors into a resource folder, and a contact sheet.
#include "assets.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

static bool makeFolder(const std::string& dir)
{
    std::error_code error;
    std::filesystem::create_directories(dir, error);
    if (error) {
        reportWriteFailure(dir, error.message().c_str());
        return false;
    }
    return true;
}

static int usage()
{
    std::fprintf(stderr,
                 "usage: tavrenne-assets [--dat DIR] [--res DIR] [--sheet FILE.png] [--target-icon FILE.ico]\n"
                 "                       [--theme-icons DIR]\n"
                 "  --dat DIR     the six pictures, three tunes and thirteen effects\n"
                 "  --res DIR     the icon and the two cursors for the resource compiler\n"
                 "  --sheet FILE  a PNG showing every picture, the icon and the cursors\n"
                 "  --target-icon FILE  the icon of the end-to-end tests' target program\n"
                 "  --theme-icons DIR   the program's icon for an icon theme: DIR/NxN/apps/tavrenne.png\n");
    return 2;
}

int main(int argc, char** argv)
{
    std::string dat, res, sheet, targetIcon, themeIcons;
    for (int i = 1; i < argc; ++i) {
        std::string option = argv[i];
        if (i + 1 >= argc || argv[i + 1][0] == '\0')
            return usage();
        if (option == "--dat")
            dat = argv[++i];
        else if (option == "--res")
            res = argv[++i];
        else if (option == "--sheet")
            sheet = argv[++i];
        else if (option == "--target-icon")
            targetIcon = argv[++i];
        else if (option == "--theme-icons")
            themeIcons = argv[++i];
        else
            return usage();
    }
    if (dat.empty() && res.empty() && sheet.empty() && targetIcon.empty() && themeIcons.empty())
        return usage();
    bool ok = true;
    if (!dat.empty())
        ok = makeFolder(dat) && writePictures(dat) && writeMusic(dat) && writeEffects(dat);
    if (ok && !res.empty())
        ok = makeFolder(res) && writeIconFiles(res);
    if (ok && !sheet.empty())
        ok = writeContactSheet(sheet);
    if (ok && !targetIcon.empty())
        ok = writeTargetIcon(targetIcon);
    if (ok && !themeIcons.empty())
        ok = writeThemeIcons(themeIcons);
    return ok ? 0 : 1;
}
