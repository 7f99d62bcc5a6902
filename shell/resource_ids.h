/* The numbers of the program's icon and cursors inside the Windows
   executable, read by the resource script and by the Win32 shell. Plain
   defines only, so that the resource compiler can read this file too. */
#pragma once

#define APP_ICON_ID 101     /* the window's icon and the White Arrow's grab icon */
#define HOVER_CURSOR_ID 112 /* over the grab spot */
#define AIM_CURSOR_ID 113   /* while aiming */
