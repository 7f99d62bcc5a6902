// The icons the painter draws: the grab icon and the two captured program
// icons, with the system's default icon standing in for a file without one.
#include "shell/win32/win32.h"

#include <shellapi.h>

// HeroIcon and SecondIcon. A slot holding the shared default icon does not
// own it, so it is never destroyed.
struct IconSlot {
    HICON icon;
    bool owned;
};
static IconSlot slots[2];

static IconSlot* slotOf(Icon icon)
{
    if (icon == HeroIcon)
        return &slots[0];
    if (icon == SecondIcon)
        return &slots[1];
    return nullptr;
}

static void emptySlot(IconSlot& slot)
{
    if (slot.icon && slot.owned)
        DestroyIcon(slot.icon);
    slot.icon = nullptr;
    slot.owned = false;
}

void captureIcon(const char* path, Icon icon)
{
    IconSlot* slot = slotOf(icon);
    if (!slot)
        return;
    HICON extracted = ExtractIconA(appInstance, path, 0);
    // 1 means the file is not one that holds icons at all: no icon either.
    bool found = reinterpret_cast<UINT_PTR>(extracted) > 1;
    HICON chosen = found ? extracted : LoadIconA(nullptr, IDI_APPLICATION);
    emptySlot(*slot);
    slot->icon = chosen;
    slot->owned = found;
}

void destroyCapturedIcons()
{
    emptySlot(slots[0]);
    emptySlot(slots[1]);
}

void drawIcon(Icon icon, int x, int y)
{
    HDC dc = currentPaintDC();
    IconSlot* slot = slotOf(icon);
    HICON handle = slot ? slot->icon : icon == AppIcon ? appIcon : nullptr;
    if (dc && handle)
        DrawIcon(dc, x, y, handle);
}
