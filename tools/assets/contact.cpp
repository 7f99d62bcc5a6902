// The contact sheet: one PNG showing every picture at 1x and 4x, the sprite
// as the game blends it over the scenes, and the icon and both cursors.
#include "assets.h"
#include "cursors.h"
#include "pictures.h"

#include <cerrno>
#include <cstring>
#include <stb_easy_font.h>
#include <string>
#include <vector>

static const Color sheetBackground = {0.16f, 0.16f, 0.18f};
static const Color labelColor = {0.92f, 0.92f, 0.86f};
static const int margin = 16;
static const int cellWidth = 128 + margin + 512;
static const int sheetWidth = margin + 2 * (cellWidth + margin);

// Writes `text` with its top-left at (x, y), each font pixel `scale` wide.
static void drawLabel(Canvas& sheet, int x, int y, const std::string& text, int scale)
{
    std::vector<char> buffer(text.begin(), text.end());
    buffer.push_back('\0');
    static float quads[4 * 4 * 2000];  // x, y, z and a packed colour per vertex
    int count = stb_easy_font_print(0, 0, buffer.data(), nullptr, quads, sizeof quads);
    for (int q = 0; q < count; ++q) {
        const float* v = quads + q * 16;
        int left = static_cast<int>(v[0]), top = static_cast<int>(v[1]);
        int right = static_cast<int>(v[8]), bottom = static_cast<int>(v[9]);
        fillRect(sheet, x + left * scale, y + top * scale, (right - left) * scale,
                 (bottom - top) * scale, labelColor);
    }
}

// A scene as the game shows it: the background, the sprite blended at half
// opacity at (36, 36), and the enemy's bar and a name box below it.
static Canvas mockBattle(const Canvas& background, const Canvas* sprite, int percent)
{
    Canvas scene = background;
    if (sprite)
        blendCanvas(scene, *sprite, 36, 36, 127.0f / 255.0f);
    fillRect(scene, 34, 92, 52, 5, rgb(0, 0, 0));
    fillRect(scene, 35, 93, 49, 3, rgb(255, 0, 0));
    fillRect(scene, 35, 93, percent / 2, 3, rgb(255, 255, 0));
    fillRect(scene, 44, 103, 36, 13, rgb(255, 255, 255));
    return scene;
}

static void drawPictureCell(Canvas& sheet, int x, int y, const char* label, const Canvas& picture)
{
    drawLabel(sheet, x, y, label, 2);
    pasteScaled(sheet, picture, x, y + 24, 1);
    pasteScaled(sheet, picture, x + 128 + margin, y + 24, 4);
}

static void drawCursorCell(Canvas& sheet, int x, int y, const IconPicture& icon)
{
    drawLabel(sheet, x, y, icon.label, 2);
    // On a checkerboard (transparency) and on the window's black background.
    for (int panel = 0; panel < 2; ++panel) {
        int px = x + panel * (32 + 128 + 2 * margin);
        Canvas back = makeCanvas(32, 32, rgb(0, 0, 0));
        for (int j = 0; j < 32; ++j)
            for (int i = 0; i < 32; ++i)
                if (panel == 0)
                    setPixel(back, i, j, ((i / 4 + j / 4) % 2) ? rgb(200, 200, 200) : rgb(150, 150, 150));
        Canvas shown = composeIcon(icon, back);
        pasteScaled(sheet, shown, px, y + 24, 1);
        pasteScaled(sheet, shown, px + 32 + margin / 2, y + 24, 4);
        if (icon.hotX >= 0) {
            // A small red cross on the hot spot of the enlarged cursor.
            int hx = px + 32 + margin / 2 + icon.hotX * 4 + 2, hy = y + 24 + icon.hotY * 4 + 2;
            fillRect(sheet, hx - 5, hy, 11, 1, rgb(255, 0, 0));
            fillRect(sheet, hx, hy - 5, 1, 11, rgb(255, 0, 0));
        }
    }
}

bool writeContactSheet(const std::string& pngPath)
{
    std::vector<Canvas> pictures;
    for (int i = 0; i < pictureAssetCount; ++i)
        pictures.push_back(pictureAssets[i].paint());
    const int cellHeight = 24 + 512 + margin;
    const int pictureRows = (pictureAssetCount + 1) / 2;
    const int sceneTop = margin + pictureRows * cellHeight;
    const int iconTop = sceneTop + 24 + 256 + 2 * margin;
    Canvas sheet = makeCanvas(sheetWidth, iconTop + 24 + 128 + margin, sheetBackground);
    for (int i = 0; i < pictureAssetCount; ++i) {
        int x = margin + (i % 2) * (cellWidth + margin);
        int y = margin + (i / 2) * cellHeight;
        drawPictureCell(sheet, x, y, pictureAssets[i].label, pictures[i]);
    }
    // Scenes at 2x: battles on the road and before the guardian, the final
    // battle at the edge (no sprite), the rest point, and the road with the
    // grab icon while the second arrow is offered.
    const Canvas& sprite = pictures[5];
    Canvas offer = pictures[2];
    pasteScaled(offer, composeIcon(makeAppIcon(), cropCanvas(offer, 50, 50, 32, 32)), 50, 50, 1);
    Canvas scenes[] = {mockBattle(pictures[2], &sprite, 70), mockBattle(pictures[1], &sprite, 40),
                       mockBattle(pictures[4], nullptr, 100), pictures[0], offer};
    drawLabel(sheet, margin, sceneTop,
              "in the game (2x): road battle, guardian, final battle, rest point, second arrow offered", 2);
    for (int i = 0; i < 5; ++i)
        pasteScaled(sheet, scenes[i], margin + i * (256 + 12), sceneTop + 24, 2);
    for (int i = 0; i < iconPictureCount; ++i) {
        IconPicture icon = iconPictures[i].make();
        drawCursorCell(sheet, margin + i * (sheetWidth / 3), iconTop, icon);
    }
    errno = 0;
    if (!writePng(pngPath, sheet)) {
        reportWriteFailure(pngPath, errno ? std::strerror(errno) : "write failed");
        return false;
    }
    return true;
}
