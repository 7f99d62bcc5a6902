// The six pictures of the dat folder: five space backgrounds (128 x 128) and
// the enemy sprite (48 x 48), each painted from code and data in this folder.
#pragma once

#include "canvas.h"

Canvas paintRoad();        // deep space with a star field and far galaxies
Canvas paintRestPoint();   // a calm green world to rest at
Canvas paintGuardian();    // an ominous red nebula
Canvas paintBossLair();    // a black hole and its burning disc
Canvas paintEdge();        // the edge of the universe and the colossus waiting there
Canvas paintEnemy();       // the creature and its square, blended at half opacity

struct PictureAsset {
    const char* fileName;  // inside the dat folder
    const char* label;     // for the contact sheet
    Canvas (*paint)();
};

// In the order the game loads them.
extern const PictureAsset pictureAssets[];
extern const int pictureAssetCount;
