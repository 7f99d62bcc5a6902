// What the main window paints: scene, hero, progress line, enemy, grab icon
// and the ending screen, through the drawing verbs.
#pragma once

#include "shell/platform.h"

extern const Rect sceneRect;
extern const Rect heroRect;
extern Rect progressRect;

// Called once the client area's size is known: the bottom 20-pixel strip
// becomes progressRect.
void setClientSize(int width, int height);
// Loads the six pictures, with a box for each that fails.
void loadPictures();
const char* pictureFile(int picture);
void paintWindow();
// The background picture for a stage.
Picture backgroundForStage(int stage);
